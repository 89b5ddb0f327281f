#include "ColorComponent.h"

ColorComponent::ColorComponent()
    : SxComponent ({})
{
}

void ColorComponent::paint (juce::Graphics& g)
{
    g.fillAll (colour);
}
