#pragma once

#include "SxColorPicker.h"
#include "SxControlChangedCallback.h"
#include "SxLabel.h"
#include "SxSlider.h"

/** A captioned slider row with a colour swatch at its right end: a value and a colour edited
    together (the ink colour and its strength).

        auto* row = new SxColorChipSelectionSlider ("inkFillSlider", nullptr, "Ink Fill", &settings.inkColour);
        row->setValuePointer (&settings.inkFill);
        row->addSliderListener (this);       // hears the slider, as every SxSlider's owner does
        row->listener = this;                // hears the colour

    The slider part behaves as SxSlider's (written on release, then reported to the slider
    listener). A colour picked in the swatch that differs from the colour word is written into
    it first, then listener hears controlChanged (this row). Until the first update the swatch shows
    (135, 206, 250); update shows the bound value and colour without telling anybody.
*/
class SxColorChipSelectionSlider : public SxSlider,
                                   public SxColorPickerCallback
{
public:
    /** colourField must not be null and must outlive the row. */
    SxColorChipSelectionSlider (const juce::String& componentName, juce::Component* popupParent,
                                const juce::String& labelText, juce::uint32* colourField);

    /** Told after a colour was picked; not owned, may be null. */
    SxControlChangedCallback* listener = nullptr;

    SxColorPicker& getColourPicker() const noexcept  { return *colourPicker; }
    SxLabel& getLabel() const noexcept               { return *label; }

    void update() override;
    void colourChanged (juce::Component* picker, juce::uint32 colourWord) override;

    /** The swatch's colour before the first update: opaque (135, 206, 250). */
    static constexpr juce::uint32 initialColourWord = 0xFACE87FFu;

private:
    SxColorPicker* colourPicker;
    SxLabel* label;
    juce::uint32* colourField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxColorChipSelectionSlider)
};
