#include "ImageQualitySlider.h"

#include "ImageSaveStyle.h"

namespace
{
    constexpr float trackY = 9.0f, thumbRadius = 7.0f;
}

ImageQualitySlider::ImageQualitySlider()
    : juce::Slider (juce::Slider::LinearHorizontal, juce::Slider::NoTextBox)
{
    setName ("compressionFactor");
    setRange (0.0, 100.0, 1.0);
    setValue (80.0, juce::dontSendNotification);
    setDoubleClickReturnValue (false, 80.0);
    setWantsKeyboardFocus (true);
}

float ImageQualitySlider::getTickPosition (int tick) const
{
    return getPositionOfValue (getMinimum() + (getMaximum() - getMinimum()) * tick / (tickCount - 1));
}

void ImageQualitySlider::paint (juce::Graphics& g)
{
    using namespace ImageSaveStyle;
    const auto left = getPositionOfValue (getMinimum());
    const auto right = getPositionOfValue (getMaximum());
    const auto thumbX = getPositionOfValue (getValue());

    g.setColour (juce::Colour (24, 24, 24));
    g.fillRoundedRectangle (left - 1.0f, trackY - 2.0f, right - left + 2.0f, 4.0f, 2.0f);
    g.setColour (isEnabled() ? accent : quietInk);
    g.fillRoundedRectangle (left - 1.0f, trackY - 2.0f, thumbX - left + 1.0f, 4.0f, 2.0f);

    g.setColour (quietInk);
    for (int i = 0; i < tickCount; ++i)
    {
        const auto x = std::round (getTickPosition (i)) + 0.5f;
        g.drawLine (x, trackY + 9.0f, x, trackY + 14.0f, 1.0f);
    }

    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillEllipse (thumbX - thumbRadius, trackY - thumbRadius + 1.0f, thumbRadius * 2.0f, thumbRadius * 2.0f);
    g.setColour (isMouseButtonDown() ? juce::Colour (220, 220, 220) : ink);
    g.fillEllipse (thumbX - thumbRadius, trackY - thumbRadius, thumbRadius * 2.0f, thumbRadius * 2.0f);
    if (hasKeyboardFocus (false))
    {
        g.setColour (accent);
        g.drawEllipse (thumbX - thumbRadius - 2.0f, trackY - thumbRadius - 2.0f,
                       thumbRadius * 2.0f + 4.0f, thumbRadius * 2.0f + 4.0f, 1.5f);
    }
}
