#pragma once

#include <juce_gui_extra/juce_gui_extra.h>

/** The framework's colour selector in the kit's look: the colour on top, the colour space
    with its hue strip, and a slider per component named "Red", "Green", "Blue" (and "Alpha"
    when it shows alpha), each with an editable hexadecimal box on its left. It draws on
    whatever lies beneath it (the call-out's dark body).

    Whether it shows alpha is fixed when it is made: SxColorPicker makes a new one to change
    it. Without alpha its colour is always opaque.
*/
class SxColorSelector : public juce::ColourSelector
{
public:
    explicit SxColorSelector (bool showsAlpha = false);
    ~SxColorSelector() override;

    bool showsAlpha() const noexcept  { return withAlpha; }

    /** The component sliders, red, green, blue, alpha (none without sliders). */
    juce::Array<juce::Slider*> getComponentSliders() const;

private:
    const bool withAlpha;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxColorSelector)
};
