#include "SxImageComponent.h"

SxImageComponent::SxImageComponent (const juce::String& componentName)
    : juce::ImageComponent (juce::String())
{
    setName (componentName);
}

SxImageComponent::~SxImageComponent()
{
    deleteAllChildren();
}

void SxImageComponent::paint (juce::Graphics& g)
{
    if (! getLocalBounds().isEmpty())
        juce::ImageComponent::paint (g);
}
