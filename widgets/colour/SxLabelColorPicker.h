#pragma once

#include "SxColorPicker.h"
#include "SxComponent.h"
#include "SxControlChangedCallback.h"
#include "SxLabel.h"

/** A row of a settings panel: a caption right-aligned against a small swatch at the right
    end, bound to a colour word (the preferences' background colour).

    A colour picked in the swatch that differs from the word is written into it, then
    listener hears controlChanged (this row); the same colour changes nothing and tells
    nobody. The row is 35 pixels high and spans its parent's width.
*/
class SxLabelColorPicker : public SxComponent,
                           public SxColorPickerCallback
{
public:
    /** boundColour must not be null and must outlive the row. */
    SxLabelColorPicker (const juce::String& componentName, const juce::String& caption, juce::uint32* boundColour);

    /** Told after the bound word changed; not owned, may be null. */
    SxControlChangedCallback* listener = nullptr;

    SxLabel& getLabel() const noexcept         { return *label; }
    SxColorPicker& getPicker() const noexcept  { return *picker; }

    /** Shows the bound word in the swatch. */
    void update() override;
    void colourChanged (juce::Component* source, juce::uint32 colourWord) override;

private:
    SxLabel* label;
    SxColorPicker* picker;
    juce::uint32* boundColour;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLabelColorPicker)
};
