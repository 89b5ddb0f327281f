#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The look of every slider of the kit and of the colour selector's sliders.

    A linear slider is a 2-pixel track, turquoise (79, 195, 212) left of the thumb and grey
    (168, 173, 176) right of it, under a round thumb picture drawn at half its pixel size;
    disabled, the track darkens to (28, 112, 131) and (115, 120, 122) and the thumb is drawn
    at half opacity. The track colour of the slider plays no part. A bar-style slider is a
    flat fill in the slider's thumb colour from its left edge to the value. The value bubble
    shown while dragging is the framework's, in dark colours.

    One instance serves the whole program: getSharedSliderLookAndFeel.
*/
class SxSliderLookAndFeel : public juce::LookAndFeel_V2
{
public:
    SxSliderLookAndFeel();

    void drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle style, juce::Slider& slider) override;

    void drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle style, juce::Slider& slider) override;

    void drawLinearSliderThumb (juce::Graphics& g, int x, int y, int width, int height,
                                float sliderPos, float minSliderPos, float maxSliderPos,
                                juce::Slider::SliderStyle style, juce::Slider& slider) override;

    /** The value box of sliders that show one: an SxSliderLabelComp in 11-pixel text with the
        framework text box's colours. */
    juce::Label* createSliderTextBox (juce::Slider& slider) override;

    /** The thumb picture is this many pixels square on screen. */
    static constexpr int thumbSize = 19;

private:
    juce::Image thumb;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSliderLookAndFeel)
};

/** The program's one SxSliderLookAndFeel, made on the first call. It is deleted when the
    framework shuts down (after the sliders that are gone by then; any slider still alive
    falls back to the default look), and a later call makes a new one. Message thread only. */
SxSliderLookAndFeel& getSharedSliderLookAndFeel();
