#include "SxColorComponent.h"

SxColorComponent::SxColorComponent()
    : SxComponent ({})
{
}

void SxColorComponent::setColour (juce::uint32 colourWord)
{
    colour = colourWord;
}

void SxColorComponent::paint (juce::Graphics& g)
{
    g.fillAll (colourFromWord (colour));
}

juce::Colour SxColorComponent::colourFromWord (juce::uint32 w) noexcept
{
    return juce::Colour ((juce::uint8) (w >> 8), (juce::uint8) (w >> 16), (juce::uint8) (w >> 24), (juce::uint8) w);
}

juce::uint32 SxColorComponent::wordFromColour (juce::Colour c) noexcept
{
    return (juce::uint32) c.getAlpha() | ((juce::uint32) c.getRed() << 8)
         | ((juce::uint32) c.getGreen() << 16) | ((juce::uint32) c.getBlue() << 24);
}
