#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace sxgui
{
    /** The first descendant of root (depth first) of type T named exactly name; null when
        none. */
    template <typename T>
    T* findNamed (juce::Component& root, const juce::String& name)
    {
        for (auto* child : root.getChildren())
        {
            if (auto* match = dynamic_cast<T*> (child); match != nullptr && child->getName() == name)
                return match;
            if (auto* deeper = findNamed<T> (*child, name))
                return deeper;
        }
        return nullptr;
    }
}
