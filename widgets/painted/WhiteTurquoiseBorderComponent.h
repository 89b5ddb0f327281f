#pragma once

#include "SxComponent.h"

/** A two-tone frame drawn over whatever lies below it: a white line outside, a turquoise
    (78, 191, 208) line inside, one pixel each. Clicks pass through it to the component
    it frames. */
class WhiteTurquoiseBorderComponent : public SxComponent
{
public:
    WhiteTurquoiseBorderComponent();

    void paint (juce::Graphics& g) override;

    /** The frame over area with lines lineWidth pixels thick; the graphics state is restored. */
    static void paintTwoToneFrame (juce::Graphics& g, juce::Rectangle<int> area, int lineWidth);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WhiteTurquoiseBorderComponent)
};
