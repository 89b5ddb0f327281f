#include "SxBorderComponent.h"

SxBorderComponent::SxBorderComponent (const juce::Colour& c)
    : SxComponent ({}), colour (c)
{
}

void SxBorderComponent::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black);
    g.drawRect (1, 1, getWidth() - 2, getHeight() - 2, 1);
    g.setColour (colour);
    g.drawRect (0, 0, getWidth(), getHeight(), 1);
}
