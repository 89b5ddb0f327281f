#include "HorizontalTileComponent.h"

#include "SxThreeSlices.h"

HorizontalTileComponent::HorizontalTileComponent (const juce::Image& left, const juce::Image& middle, const juce::Image& right)
    : leftImage (left), middleImage (middle), rightImage (right)
{
}

void HorizontalTileComponent::paint (juce::Graphics& g)
{
    g.setImageResamplingQuality (juce::Graphics::mediumResamplingQuality);
    SxThreeSlices::layOut (getWidth(), getHeight(), leftImage.getWidth() / 2, rightImage.getWidth() / 2)
        .draw (g, leftImage, middleImage, rightImage);
}
