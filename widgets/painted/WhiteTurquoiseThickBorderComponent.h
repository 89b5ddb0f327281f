#pragma once

#include "SxComponent.h"

/** WhiteTurquoiseBorderComponent with two-pixel lines. Clicks pass through it. */
class WhiteTurquoiseThickBorderComponent : public SxComponent
{
public:
    WhiteTurquoiseThickBorderComponent();

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WhiteTurquoiseThickBorderComponent)
};
