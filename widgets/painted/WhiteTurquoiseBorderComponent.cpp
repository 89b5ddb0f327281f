#include "WhiteTurquoiseBorderComponent.h"

WhiteTurquoiseBorderComponent::WhiteTurquoiseBorderComponent()
    : SxComponent ({})
{
    setInterceptsMouseClicks (false, false);
}

void WhiteTurquoiseBorderComponent::paint (juce::Graphics& g)
{
    paintTwoToneFrame (g, getLocalBounds(), 1);
}

void WhiteTurquoiseBorderComponent::paintTwoToneFrame (juce::Graphics& g, juce::Rectangle<int> area, int lineWidth)
{
    const juce::Graphics::ScopedSaveState saved (g);
    g.setColour (juce::Colours::white);
    g.drawRect (area, lineWidth);
    g.setColour (juce::Colour (78, 191, 208));
    g.drawRect (area.reduced (lineWidth), lineWidth);
}
