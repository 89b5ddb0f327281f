#include "SxRoundRectangleButton.h"

#include "SxButtonCaption.h"
#include "SxColorComponent.h"

SxRoundRectangleButton::SxRoundRectangleButton (const juce::String& componentName, const juce::String& caption,
                                                const juce::String& tooltip, int radius,
                                                juce::uint32 outline, juce::uint32 outlineDown,
                                                juce::uint32 fill, juce::uint32 fillDown)
    : juce::Button (componentName),
      text (caption),
      cornerRadius (radius),
      outlineColour (outline),
      outlineColourDown (outlineDown),
      fillColour (fill),
      fillColourDown (fillDown)
{
    setComponentID (componentName);
    setName (componentName);
    setTooltip (tooltip);
    label = SxButtonCaption::attach (*this, text);
}

SxRoundRectangleButton::~SxRoundRectangleButton()
{
    deleteAllChildren();
}

void SxRoundRectangleButton::paintButton (juce::Graphics& g, bool, bool down)
{
    g.setOpacity (1.0f);
    const auto area = getLocalBounds().toFloat();
    const auto radius = (float) cornerRadius;

    g.setColour (SxColorComponent::colourFromWord (down ? fillColourDown : fillColour));
    g.fillRoundedRectangle (area, radius);
    g.setColour (SxColorComponent::colourFromWord (down ? outlineColourDown : outlineColour));
    g.drawRoundedRectangle (area, radius, down ? 1.5f : 1.0f);

    if (focusMark.isShown (*this))
        SxKeyboardFocusMark::draw (g, area.reduced (1.5f), radius);
}
