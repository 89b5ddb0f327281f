#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The quality slider of the save sheet: 0 to 100 in whole steps, 80 at first, with 11
    tick marks below its track (every 10). It paints itself; the framework's slider does
    the dragging, so the thumb sits where the slider maps the value. */
class ImageQualitySlider : public juce::Slider
{
public:
    static constexpr int tickCount = 11;

    ImageQualitySlider();

    /** Where tick i (0 to 10) is drawn, in the slider's coordinates. */
    float getTickPosition (int tick) const;

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageQualitySlider)
};
