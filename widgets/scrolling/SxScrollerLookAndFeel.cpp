#include "SxScrollerLookAndFeel.h"

void SxScrollerLookAndFeel::drawScrollbarButton (juce::Graphics&, juce::ScrollBar&, int, int, int, bool, bool, bool)
{
}

int SxScrollerLookAndFeel::getThumbInset (int width, int height) noexcept
{
    return juce::jmin (width, height) > 15 ? 2 : 1;
}

juce::Rectangle<float> SxScrollerLookAndFeel::getThumbBounds (int x, int y, int width, int height, bool vertical,
                                                              int thumbStart, int thumbSize) noexcept
{
    if (thumbSize <= 0)
        return {};

    const int inset = getThumbInset (width, height);

    if (vertical)
        return { (float) (x + inset), (float) (thumbStart + inset), (float) (width - 2 * inset), (float) (thumbSize - 2 * inset) };

    return { (float) (thumbStart + inset), (float) (y + inset), (float) (thumbSize - 2 * inset), (float) (height - 2 * inset) };
}

void SxScrollerLookAndFeel::drawScrollbar (juce::Graphics& g, juce::ScrollBar& bar, int x, int y, int width, int height,
                                           bool vertical, int thumbStart, int thumbSize, bool, bool)
{
    g.fillAll (bar.findColour (juce::ScrollBar::backgroundColourId));

    const auto thumbArea = getThumbBounds (x, y, width, height, vertical, thumbStart, thumbSize);

    if (thumbArea.isEmpty())
        return;

    const float corner = (vertical ? thumbArea.getWidth() : thumbArea.getHeight()) * 0.5f;
    juce::Path thumb;
    thumb.addRoundedRectangle (thumbArea, corner);

    g.setColour (bar.findColour (juce::ScrollBar::thumbColourId));
    g.fillPath (thumb);

    // A faint shade over the far half of the bar gives the thumb some roundness.
    {
        const juce::Graphics::ScopedSaveState saved (g);
        const auto fx = (float) x, fy = (float) y, fw = (float) width, fh = (float) height;

        if (vertical)
        {
            g.reduceClipRegion (x + width / 2, y, width - width / 2, height);
            g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha ((juce::uint8) 16), fx + fw * 0.6f, 0.0f,
                                                    juce::Colours::transparentBlack, fx + fw, 0.0f, false));
        }
        else
        {
            g.reduceClipRegion (x, y + height / 2, width, height - height / 2);
            g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha ((juce::uint8) 16), 0.0f, fy + fh * 0.6f,
                                                    juce::Colours::transparentBlack, 0.0f, fy + fh, false));
        }

        g.fillPath (thumb);
    }

    g.setColour (juce::Colours::black.withAlpha ((juce::uint8) 76));
    g.strokePath (thumb, juce::PathStrokeType (0.4f));
}

int SxScrollerLookAndFeel::getMinimumScrollbarThumbSize (juce::ScrollBar& bar)
{
    return 2 * juce::jmin (bar.getWidth(), bar.getHeight());
}

int SxScrollerLookAndFeel::getDefaultScrollbarWidth()
{
    return 0;
}

int SxScrollerLookAndFeel::getScrollbarButtonSize (juce::ScrollBar& bar)
{
    return (bar.isVertical() ? bar.getWidth() : bar.getHeight()) + 2;
}
