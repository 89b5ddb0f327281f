#pragma once

#include "SxComponent.h"

/** A component filled with a framework colour that its owner assigns directly (the panel
    frame uses opaque (32, 32, 32)); transparent until then. */
class ColorComponent : public SxComponent
{
public:
    ColorComponent();

    juce::Colour colour { juce::Colours::transparentBlack };

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ColorComponent)
};
