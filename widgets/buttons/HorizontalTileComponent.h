#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A bar painted from three pictures: a left and a right cap at half their pixel width and a
    middle stretched between them, all at the bar's height (the panels' title, body and
    bottom bars). Narrower than its caps, it draws the caps alone. */
class HorizontalTileComponent : public juce::Component
{
public:
    HorizontalTileComponent (const juce::Image& left, const juce::Image& middle, const juce::Image& right);

    void paint (juce::Graphics& g) override;

    juce::Image leftImage, middleImage, rightImage;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HorizontalTileComponent)
};
