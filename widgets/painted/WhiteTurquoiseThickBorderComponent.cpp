#include "WhiteTurquoiseThickBorderComponent.h"

#include "WhiteTurquoiseBorderComponent.h"

WhiteTurquoiseThickBorderComponent::WhiteTurquoiseThickBorderComponent()
    : SxComponent ({})
{
    setInterceptsMouseClicks (false, false);
}

void WhiteTurquoiseThickBorderComponent::paint (juce::Graphics& g)
{
    WhiteTurquoiseBorderComponent::paintTwoToneFrame (g, getLocalBounds(), 2);
}
