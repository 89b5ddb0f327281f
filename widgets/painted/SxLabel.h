#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The kit's text label: a framework label named at construction that owns its children
    like SxComponent, and can say how wide its text is. */
class SxLabel : public juce::Label
{
public:
    /** The text is set without a change notification. */
    SxLabel (const juce::String& componentName, const juce::String& text);
    ~SxLabel() override;

    /** The width of the current text on one line in the current font (spaces included),
        cut to whole pixels, plus the left text inset (5 unless changed): where a control
        placed right after this caption starts. An empty label gives the inset alone. */
    virtual int getTextWidth() const;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLabel)
};
