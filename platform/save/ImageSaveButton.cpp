#include "ImageSaveButton.h"

#include "ImageSaveStyle.h"

ImageSaveButton::ImageSaveButton (const juce::String& componentName, const juce::String& text, bool isPrimary)
    : juce::Button (componentName), primary (isPrimary)
{
    setButtonText (text);
    setWantsKeyboardFocus (true);
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void ImageSaveButton::paintButton (juce::Graphics& g, bool isHighlighted, bool isDown)
{
    using namespace ImageSaveStyle;
    const auto area = getLocalBounds().toFloat().reduced (0.5f);
    auto fill = primary ? (isDown ? accentDown : accent) : (isDown ? ImageSaveStyle::buttonDown : ImageSaveStyle::button);
    if (isHighlighted && ! isDown)
        fill = fill.brighter (0.08f);
    if (! isEnabled())
        fill = fill.withMultipliedSaturation (0.3f).withMultipliedAlpha (0.45f);

    g.setColour (fill);
    g.fillRoundedRectangle (area, 4.0f);
    if (hasKeyboardFocus (false))
    {
        g.setColour (ink.withAlpha (0.85f));
        g.drawRoundedRectangle (area.reduced (1.0f), 3.5f, 1.5f);
    }

    g.setColour (primary ? juce::Colour (24, 24, 24) : ink);
    if (! isEnabled())
        g.setColour (quietInk.withAlpha (0.6f));
    g.setFont (juce::Font (13.0f, primary ? juce::Font::bold : juce::Font::plain));
    g.drawText (getButtonText(), getLocalBounds(), juce::Justification::centred, false);
}
