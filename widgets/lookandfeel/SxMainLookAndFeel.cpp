#include "SxMainLookAndFeel.h"

#include "SxMainComponentServices.h"
#include "SystemBell.h"

SxMainLookAndFeel::SxMainLookAndFeel()
    : alertSound (SystemBell::ring)
{
}

void SxMainLookAndFeel::playAlertSound()
{
    auto* main = SxMainComponentServices::getInstance();

    if ((main == nullptr || main->alertOnBlockedInput()) && alertSound != nullptr)
        alertSound();
}

//==============================================================================
void SxMainLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    const auto background = findColour (juce::PopupMenu::backgroundColourId);

    g.fillAll (background);
    g.setColour (background.overlaidWith (juce::Colour (0x2badd8e6)));

    for (int y = 0; y < height; y += 3)
        g.fillRect (0, y, width, 1);
}

void SxMainLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                           bool isSeparator, bool isActive, bool isHighlighted, bool isTicked,
                                           bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText,
                                           const juce::Drawable* icon, const juce::Colour* textColour)
{
    const juce::Graphics::ScopedSaveState saved (g);
    g.setOrigin (area.getPosition());

    const int w = area.getWidth(), h = area.getHeight();
    const float halfH = (float) h * 0.5f;

    if (isSeparator)
    {
        g.setColour (juce::Colour (0x33000000));
        g.drawLine (5.5f, halfH, (float) w - 5.5f, halfH, 1.0f);
        g.setColour (juce::Colour (0x66ffffff));
        g.drawLine (5.5f, halfH + 1.0f, (float) w - 5.5f, halfH + 1.0f, 1.0f);
        return;
    }

    const auto colour = textColour != nullptr ? *textColour : findColour (juce::PopupMenu::textColourId);

    if (isHighlighted)
    {
        g.setColour (findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRect (1, 1, w - 2, h - 2);
        g.setColour (findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (colour);
    }

    // The highlight already drawn keeps its strength; only what follows is faded.
    if (! isActive)
        g.setOpacity (0.3f);

    auto font = getPopupMenuFont();
    const float maxFontHeight = (float) h / 1.3f;

    if (font.getHeight() > maxFontHeight)
        font.setHeight (maxFontHeight);

    g.setFont (font);

    const int leftBorder = (h * 5) / 4, rightBorder = 4;

    if (icon != nullptr)
    {
        const auto inner = juce::Rectangle<int> (w, h).reduced (1);
        const auto iconBox = inner.withWidth (juce::jmin (inner.getWidth(), (inner.getHeight() * 5) / 4)).reduced (3);

        // A box of no area shows nothing (items 8 pixels high or less).
        if (! iconBox.isEmpty())
            icon->drawWithin (g, iconBox.toFloat(),
                              juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize, 1.0f);
    }
    else if (isTicked)
    {
        const float ascent = font.getAscent();
        const juce::Rectangle<float> tickBox (2.0f, halfH - ascent * 0.5f, (float) (leftBorder - 4), ascent);
        const auto tick = getTickShape (1.0f);
        g.fillPath (tick, tick.getTransformToScaleToFit (tickBox, true));
    }

    g.drawFittedText (text, leftBorder, 0, w - (leftBorder + rightBorder), h, juce::Justification::centredLeft, 1, 0.7f);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight (font.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale (0.95f);
        g.setFont (shortcutFont);
        g.drawText (shortcutKeyText, leftBorder, 0, w - (leftBorder + 8), h, juce::Justification::centredRight, true);
    }

    if (hasSubMenu)
    {
        // Sized by the menu font as it is, not as cut for a low item.
        const float arrowH = 0.6f * getPopupMenuFont().getAscent();
        const float x = (float) w - (float) h * 0.6f;

        juce::Path arrow;
        arrow.addTriangle (x, halfH - arrowH * 0.5f, x, halfH + arrowH * 0.5f, x + arrowH * 0.6f, halfH);
        g.fillPath (arrow);
    }
}

void SxMainLookAndFeel::drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow)
{
    const auto background = findColour (juce::PopupMenu::backgroundColourId);
    const float w = (float) width, h = (float) height;

    g.setGradientFill (juce::ColourGradient (background, 0.0f, h * 0.5f,
                                             background.withAlpha (0.0f), 0.0f, isScrollUpArrow ? h : 0.0f, false));
    g.fillRect (1, 1, width - 2, height - 2);

    const float hw = w * 0.5f, arrowW = h * 0.3f;
    const float y1 = h * (isScrollUpArrow ? 0.6f : 0.3f);
    const float y2 = h * (isScrollUpArrow ? 0.3f : 0.6f);

    juce::Path arrow;
    arrow.addTriangle (hw - arrowW, y1, hw + arrowW, y1, hw, y2);
    g.setColour (findColour (juce::PopupMenu::textColourId).withAlpha (0.5f));
    g.fillPath (arrow);
}

//==============================================================================
void SxMainLookAndFeel::drawMenuBarBackground (juce::Graphics& g, int width, int height, bool,
                                               juce::MenuBarComponent& menuBar)
{
    const auto base = menuBar.findColour (juce::PopupMenu::backgroundColourId).withMultipliedSaturation (0.9f);

    if (! menuBar.isEnabled())
    {
        g.fillAll (base);
        return;
    }

    // A square shiny bar, 4 pixels wider on each side so its side outlines are not seen;
    // nothing for a bar too thin for its outline.
    constexpr float outlineWidth = 0.4f;
    const juce::Rectangle<float> bar (-4.0f, 0.0f, (float) width + 8.0f, (float) height);

    if (bar.getWidth() <= outlineWidth * 1.1f || bar.getHeight() <= outlineWidth * 1.1f)
        return;

    juce::ColourGradient gloss (base, 0.0f, bar.getY(), base.overlaidWith (juce::Colour (0x070000ff)), 0.0f, bar.getBottom(), false);
    gloss.addColour (0.5, base.overlaidWith (juce::Colour (0x33ffffff)));
    gloss.addColour (0.51, base.overlaidWith (juce::Colour (0x110000ff)));

    juce::Path outline;
    outline.addRectangle (bar);
    g.setGradientFill (gloss);
    g.fillPath (outline);
    g.setColour (juce::Colour (0x80000000));
    g.strokePath (outline, juce::PathStrokeType (outlineWidth, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}

void SxMainLookAndFeel::drawMenuBarItem (juce::Graphics& g, int width, int height, int itemIndex,
                                         const juce::String& itemText, bool isMouseOverItem, bool isMenuOpen, bool,
                                         juce::MenuBarComponent& menuBar)
{
    if (! menuBar.isEnabled())
    {
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId).withMultipliedAlpha (0.5f));
    }
    else if (isMenuOpen || isMouseOverItem)
    {
        g.fillAll (menuBar.findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.setColour (menuBar.findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId));
    }

    g.setFont (getMenuBarFont (menuBar, itemIndex, itemText));
    g.drawFittedText (itemText, 0, 0, width, height, juce::Justification::centred, 1, 0.7f);
}

//==============================================================================
juce::TextLayout SxMainLookAndFeel::layoutTooltipText (const juce::String& tipText, juce::Colour colour)
{
    constexpr float fontHeight = 13.0f, maxWidth = 300.0f;

    juce::AttributedString text;
    text.setJustification (juce::Justification::left);
    text.append (tipText, juce::Font (fontHeight, juce::Font::bold), colour);

    // The framework's balancing keeps the most uneven of the widths it tries: take the
    // narrowest width that still needs no more lines than the widest does.
    juce::TextLayout layout;
    layout.createLayout (text, maxWidth);
    const int lineCount = layout.getNumLines();
    if (lineCount < 2)
        return layout;

    float tooNarrow = maxWidth / (float) lineCount - 1.0f, wideEnough = maxWidth;
    while (wideEnough - tooNarrow > 1.0f)
    {
        const auto width = (tooNarrow + wideEnough) * 0.5f;
        layout.createLayout (text, width);
        (layout.getNumLines() <= lineCount ? wideEnough : tooNarrow) = width;
    }
    layout.createLayout (text, wideEnough);
    return layout;
}

void SxMainLookAndFeel::getTooltipSize (const juce::String& tipText, int& width, int& height)
{
    const auto layout = layoutTooltipText (tipText, juce::Colours::white);
    width = (int) (layout.getWidth() + 8.0f);
    height = (int) (layout.getHeight() + 8.0f);
}

juce::Rectangle<int> SxMainLookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                                          juce::Rectangle<int> parentArea)
{
    int w = 0, h = 0;
    getTooltipSize (tipText, w, h);

    return juce::Rectangle<int> (screenPos.x > parentArea.getCentreX() ? screenPos.x - (w + 12) : screenPos.x + 24,
                                 screenPos.y > parentArea.getCentreY() ? screenPos.y - (h + 6) : screenPos.y + 6,
                                 w, h)
        .constrainedWithin (parentArea);
}

void SxMainLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    g.setOpacity (1.0f);
    g.fillAll (juce::Colour (66, 66, 66));
    g.setColour (juce::Colours::white);
    g.drawRect (0, 0, width, height, 1);

    layoutTooltipText (text, juce::Colours::white).draw (g, juce::Rectangle<float> (4.0f, 3.0f, (float) width, (float) height));
}
