#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A push button of the save sheet: a rounded bar with its text, turquoise for the action
    the sheet is for and grey for the others; a ring while it has the keyboard focus. */
class ImageSaveButton : public juce::Button
{
public:
    ImageSaveButton (const juce::String& componentName, const juce::String& text, bool isPrimary);

    void paintButton (juce::Graphics& g, bool isHighlighted, bool isDown) override;

private:
    bool primary;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageSaveButton)
};
