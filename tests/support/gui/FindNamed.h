#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace sxgui
{
    /** The first descendant of root (depth first) of type T that accepted (called with it as
        a component) holds true for; null when none. */
    template <typename T, typename Accept>
    T* findFirst (juce::Component& root, const Accept& accepted)
    {
        for (auto* child : root.getChildren())
        {
            if (auto* match = dynamic_cast<T*> (child); match != nullptr && accepted (*child))
                return match;
            if (auto* deeper = findFirst<T> (*child, accepted))
                return deeper;
        }
        return nullptr;
    }

    /** The first descendant of root (depth first) of type T named exactly name; null when
        none. */
    template <typename T>
    T* findNamed (juce::Component& root, const juce::String& name)
    {
        return findFirst<T> (root, [&name] (const juce::Component& c) { return c.getName() == name; });
    }
}
