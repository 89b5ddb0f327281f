#include "SxMainWindowLookAndFeel.h"

#include "SxPopupItemMarks.h"

void SxMainWindowLookAndFeel::drawBubble (juce::Graphics& g, juce::BubbleComponent&,
                                          const juce::Point<float>& tip, const juce::Rectangle<float>& body)
{
    juce::Path outline;
    outline.addBubble (body.reduced (0.5f), body.getUnion ({ tip.x, tip.y, 1.0f, 1.0f }),
                       tip, 5.0f, juce::jmin (15.0f, body.getWidth() * 0.2f, body.getHeight() * 0.2f));

    g.setColour (juce::Colour::greyLevel (0.23f));
    g.fillPath (outline);
    g.setColour (juce::Colours::white.withAlpha (0.8f));
    g.strokePath (outline, juce::PathStrokeType (2.0f));
}

void SxMainWindowLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int, int)
{
    g.fillAll (juce::Colour (64, 64, 64));
}

void SxMainWindowLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                 bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                                                 bool hasSubMenu, const juce::String& text,
                                                 const juce::String& shortcutKeyText,
                                                 const juce::Drawable* icon, const juce::Colour*)
{
    if (isSeparator)
    {
        const auto y = (float) area.getCentreY();
        const auto left = (float) area.getX() + 5.5f, right = (float) area.getRight() - 5.5f;
        g.setColour (juce::Colour (0x33000000));
        g.drawLine (left, y, right, y);
        g.setColour (juce::Colour (0x66ffffff));
        g.drawLine (left, y + 1.0f, right, y + 1.0f);
        return;
    }

    auto r = area.reduced (1);

    if (isHighlighted)
    {
        g.setColour (juce::Colour (94, 94, 94));
        g.fillRect (area);
    }

    g.setColour (whiteSmoke);
    if (! isActive)
        g.setOpacity (0.3f);

    auto font = getPopupMenuFont();
    font.setHeight (juce::jmin (font.getHeight(), (float) area.getHeight() / 1.3f));
    g.setFont (font);

    SxPopupItemMarks::drawIconOrTick (*this, g, r, icon, isTicked);
    if (hasSubMenu)
        SxPopupItemMarks::drawSubMenuArrow (g, r, getPopupMenuFont().getAscent());

    r.removeFromRight (3);
    g.drawFittedText (text, r, juce::Justification::centredLeft, 1, 0.7f);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight (font.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale (0.95f);
        g.setFont (shortcutFont);
        g.drawText (shortcutKeyText, r, juce::Justification::centredRight, true);
    }
}

void SxMainWindowLookAndFeel::drawMenuBarBackground (juce::Graphics& g, int, int, bool, juce::MenuBarComponent&)
{
    g.fillAll (juce::Colour (40, 40, 40));
}

void SxMainWindowLookAndFeel::drawMenuBarItem (juce::Graphics& g, int width, int height, int itemIndex,
                                               const juce::String& itemText, bool isMouseOverItem, bool isMenuOpen,
                                               bool, juce::MenuBarComponent& menuBar)
{
    if (! menuBar.isEnabled())
    {
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId).withMultipliedAlpha (0.5f));
    }
    else
    {
        if (isMenuOpen || isMouseOverItem)
            g.fillAll (juce::Colour (64, 64, 64));
        g.setColour (whiteSmoke);
    }

    g.setFont (getMenuBarFont (menuBar, itemIndex, itemText));
    g.drawFittedText (itemText, 0, 0, width, height, juce::Justification::centred, 1, 0.7f);
}
