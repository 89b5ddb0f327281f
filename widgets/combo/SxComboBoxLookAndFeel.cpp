#include "SxComboBoxLookAndFeel.h"

#include "SxPopupItemMarks.h"

namespace
{
    const juce::Colour grey65 (65, 65, 65);
}

SxComboBoxLookAndFeel::SxComboBoxLookAndFeel()
{
    setColour (juce::PopupMenu::backgroundColourId, grey65);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (119, 119, 119));
    setColour (juce::PopupMenu::textColourId, juce::Colours::white);
    setColour (juce::ComboBox::arrowColourId, juce::Colour (180, 180, 180));
}

void SxComboBoxLookAndFeel::drawBubble (juce::Graphics& g, juce::BubbleComponent& bubble,
                                        const juce::Point<float>& tip, const juce::Rectangle<float>& body)
{
    juce::Path p;
    p.addBubble (body.reduced (0.5f), body.getUnion (juce::Rectangle<float> (tip.x, tip.y, 1.0f, 1.0f)),
                 tip, 5.0f, juce::jmin (15.0f, body.getWidth() * 0.2f, body.getHeight() * 0.2f));

    // The bubble's own colour or this look's, never one inherited from a parent.
    const auto id = juce::BubbleComponent::backgroundColourId;
    g.setColour (bubble.isColourSpecified (id) ? bubble.findColour (id) : findColour (id));
    g.fillPath (p);

    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 204));
    g.strokePath (p, juce::PathStrokeType (2.0f));
}

void SxComboBoxLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int, int)
{
    g.fillAll (findColour (juce::PopupMenu::backgroundColourId));
}

void SxComboBoxLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                               bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                                               bool hasSubMenu, const juce::String& text, const juce::String&,
                                               const juce::Drawable* icon, const juce::Colour* textColour)
{
    if (isSeparator)
    {
        auto r = area.reduced (5, 0);
        r.removeFromTop (r.getHeight() / 2 - 1);
        g.setColour (juce::Colour (0x33000000));
        g.fillRect (r.removeFromTop (1));
        g.setColour (juce::Colour (0x66ffffff));
        g.fillRect (r.removeFromTop (1));
        return;
    }

    auto r = area.reduced (1);

    if (isHighlighted)
    {
        g.setColour (findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRect (r);
        g.setColour (findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (textColour != nullptr ? *textColour : findColour (juce::PopupMenu::textColourId));
    }

    if (! isActive)
        g.setOpacity (0.3f);

    const auto font = getPopupMenuFont();
    g.setFont (font);

    SxPopupItemMarks::drawIconOrTick (*this, g, r, icon, isTicked);
    if (hasSubMenu)
        SxPopupItemMarks::drawSubMenuArrow (g, r, font.getAscent());

    r.removeFromRight (juce::jmin (r.getWidth(), 3));
    g.drawFittedText (text, r, juce::Justification::centredLeft, 1, 0.7f);
}

juce::Font SxComboBoxLookAndFeel::getPopupMenuFont()
{
    return juce::Font (13.0f);
}

void SxComboBoxLookAndFeel::drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow)
{
    const auto hw = (float) width * 0.5f;
    const auto a = (float) height * 0.3f;
    const auto y1 = (float) height * (isScrollUpArrow ? 0.6f : 0.3f);
    const auto y2 = (float) height * (isScrollUpArrow ? 0.3f : 0.6f);

    juce::Path p;
    p.addTriangle (hw - a, y1, hw + a, y1, hw, y2);
    g.setColour (juce::Colour (0, 255, 255));
    g.fillPath (p);
}

void SxComboBoxLookAndFeel::getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                                       int& idealWidth, int& idealHeight)
{
    if (isSeparator)
    {
        idealWidth = 50;
        idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight / 2 : 10;
        return;
    }

    auto font = getPopupMenuFont();

    if (standardMenuItemHeight > 0 && font.getHeight() > (float) standardMenuItemHeight / 1.3f)
        font.setHeight ((float) standardMenuItemHeight / 1.3f);

    idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight : juce::roundToInt (font.getHeight() * 1.3f);
    idealWidth = font.getStringWidth (text) + idealHeight * 2;
}

void SxComboBoxLookAndFeel::drawComboBox (juce::Graphics& g, int, int, bool,
                                          int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));

    if (! box.isEnabled())
        return;

    const auto bx = (float) buttonX, by = (float) buttonY, bw = (float) buttonW, bh = (float) buttonH;

    juce::Path arrows;
    arrows.addTriangle (bx + 0.5f * bw, by + 0.25f * bh, bx + 0.7f * bw, by + 0.45f * bh, bx + 0.3f * bw, by + 0.45f * bh);
    arrows.addTriangle (bx + 0.5f * bw, by + 0.75f * bh, bx + 0.7f * bw, by + 0.55f * bh, bx + 0.3f * bw, by + 0.55f * bh);

    g.setColour (box.findColour (juce::ComboBox::arrowColourId));
    g.fillPath (arrows);
}

juce::Font SxComboBoxLookAndFeel::getComboBoxFont (juce::ComboBox&)
{
    return juce::Font (13.0f);
}

juce::Label* SxComboBoxLookAndFeel::createComboBoxTextBox (juce::ComboBox&)
{
    return new juce::Label ({}, {});
}

void SxComboBoxLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (1, 1, box.getWidth() + 3 - box.getHeight(), box.getHeight() - 2);
    label.setFont (getComboBoxFont (box));
}
