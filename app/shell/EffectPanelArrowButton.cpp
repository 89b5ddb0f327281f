#include "EffectPanelArrowButton.h"

EffectPanelArrowButton::EffectPanelArrowButton (const juce::String& componentName, const juce::Image& image)
    : juce::ImageButton (componentName)
{
    const auto none = juce::Colours::transparentBlack;
    setImages (true, true, true, image, 1.0f, none, image, 1.0f, none, image, 1.0f, none);
}

bool EffectPanelArrowButton::hitTest (int x, int y)
{
    return getAlpha() > 0.0f && juce::ImageButton::hitTest (x, y);
}
