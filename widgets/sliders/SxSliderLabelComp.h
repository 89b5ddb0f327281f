#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The value box of sliders that show one (the layer row's opacity bar). The wheel does
    nothing over it, as over the slider itself. */
class SxSliderLabelComp : public juce::Label
{
public:
    SxSliderLabelComp() = default;

    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override {}

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSliderLabelComp)
};
