#include "SxKeyboardFocusMark.h"

void SxKeyboardFocusMark::focusGained (juce::Component& control, juce::Component::FocusChangeType cause)
{
    fromKeyboard = cause == juce::Component::focusChangedByTabKey;
    control.repaint();
}

void SxKeyboardFocusMark::clear (juce::Component& control)
{
    if (std::exchange (fromKeyboard, false))
        control.repaint();
}

bool SxKeyboardFocusMark::isShown (const juce::Component& control) const
{
    return fromKeyboard && control.hasKeyboardFocus (false);
}

void SxKeyboardFocusMark::draw (juce::Graphics& g, juce::Rectangle<float> area, float cornerSize)
{
    g.setColour (juce::Colour (79, 195, 212).withAlpha (0.85f));
    g.drawRoundedRectangle (area.reduced (0.75f), cornerSize, 1.5f);
}
