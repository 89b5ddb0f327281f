#include "SxScrollerLookAndFeel.h"

#include <gtest/gtest.h>

TEST (SxScrollerLookAndFeelTest, TheThumbIsInsetByTwoOnBarsThickerThanFifteenElseByOne)
{
    using R = juce::Rectangle<float>;
    struct Case { int x, y, width, height; bool vertical; int start, size; R expected; };
    const Case cases[] = {
        { 290, 0, 10, 400, true, 40, 60,   { 291.0f, 41.0f, 8.0f, 58.0f } },
        { 285, 0, 15, 400, true, 40, 60,   { 286.0f, 41.0f, 13.0f, 58.0f } },
        { 284, 0, 16, 400, true, 40, 60,   { 286.0f, 42.0f, 12.0f, 56.0f } },
        { 0, 390, 300, 10, false, 100, 50, { 101.0f, 391.0f, 48.0f, 8.0f } },
        { 0, 380, 300, 20, false, 100, 50, { 102.0f, 382.0f, 46.0f, 16.0f } },
        { 290, 0, 10, 400, true, 40, 0,    {} },
    };

    for (const auto& c : cases)
        EXPECT_EQ (SxScrollerLookAndFeel::getThumbBounds (c.x, c.y, c.width, c.height, c.vertical, c.start, c.size), c.expected)
            << c.width << " x " << c.height;
}

TEST (SxScrollerLookAndFeelTest, SizesTheThumbAndButtonsByTheBarsThickness)
{
    SxScrollerLookAndFeel lookAndFeel;
    EXPECT_EQ (lookAndFeel.getDefaultScrollbarWidth(), 0);

    juce::ScrollBar vertical (true), horizontal (false);
    vertical.setSize (10, 400);
    horizontal.setSize (300, 16);

    EXPECT_EQ (lookAndFeel.getMinimumScrollbarThumbSize (vertical), 20);
    EXPECT_EQ (lookAndFeel.getMinimumScrollbarThumbSize (horizontal), 32);
    EXPECT_EQ (lookAndFeel.getScrollbarButtonSize (vertical), 12);
    EXPECT_EQ (lookAndFeel.getScrollbarButtonSize (horizontal), 18);
}

TEST (SxScrollerLookAndFeelTest, DrawsOnlyTheThumbOverTheBackground)
{
    SxScrollerLookAndFeel lookAndFeel;
    juce::ScrollBar bar (true);
    bar.setSize (16, 100);
    bar.setColour (juce::ScrollBar::backgroundColourId, juce::Colour (20, 40, 200));
    bar.setColour (juce::ScrollBar::thumbColourId, juce::Colour (230, 30, 30));

    juce::Image image (juce::Image::ARGB, 16, 100, true);
    {
        juce::Graphics g (image);
        lookAndFeel.drawScrollbarButton (g, bar, 16, 18, 0, true, false, false);
        lookAndFeel.drawScrollbar (g, bar, 0, 0, 16, 100, true, 30, 40, false, false);
    }

    const auto background = juce::Colour (20, 40, 200);
    EXPECT_EQ (image.getPixelAt (5, 5), background);      // no track, no arrow
    EXPECT_EQ (image.getPixelAt (5, 90), background);
    EXPECT_EQ (image.getPixelAt (0, 50), background);     // the inset beside the thumb

    // The near half shows the thumb colour; the far half is shaded a little darker.
    const auto near = image.getPixelAt (5, 50), far = image.getPixelAt (12, 50);
    EXPECT_EQ (near, juce::Colour (230, 30, 30));
    EXPECT_LT (far.getRed(), near.getRed());
    EXPECT_GT (far.getRed(), 200);
}
