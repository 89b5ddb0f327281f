#pragma once

#include "SxComponent.h"

/** A one-pixel frame in a colour with a black line just inside it. */
class SxBorderComponent : public SxComponent
{
public:
    explicit SxBorderComponent (const juce::Colour& colour);

    juce::Colour colour;

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxBorderComponent)
};
