#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A plain container that owns what it holds: its destructor deletes every child still
    attached. For grids and panels built of loose parts, where nothing else keeps them. */
class SxDeleteChildrenComponent : public juce::Component
{
public:
    explicit SxDeleteChildrenComponent (const juce::String& componentName = {});
    ~SxDeleteChildrenComponent() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxDeleteChildrenComponent)
};
