#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The scroll bar of every SxScroller: a bare rounded thumb, softly shaded towards its far
    side and outlined, over the bar's background colour; no track, no visible arrow buttons
    (their space at the ends stays). Colours are the scroll bar's background and thumb
    colours; hover and press draw the same.

    The default bar thickness is 0: owners set the thickness they want.
*/
class SxScrollerLookAndFeel : public juce::LookAndFeel_V2
{
public:
    SxScrollerLookAndFeel() = default;

    void drawScrollbarButton (juce::Graphics&, juce::ScrollBar&, int width, int height, int buttonDirection,
                              bool isScrollbarVertical, bool isMouseOverButton, bool isButtonDown) override;
    void drawScrollbar (juce::Graphics&, juce::ScrollBar&, int x, int y, int width, int height, bool isScrollbarVertical,
                        int thumbStartPosition, int thumbSize, bool isMouseOver, bool isMouseDown) override;
    int getMinimumScrollbarThumbSize (juce::ScrollBar&) override;
    int getDefaultScrollbarWidth() override;
    int getScrollbarButtonSize (juce::ScrollBar&) override;

    /** The gap between the bar's edges and its thumb: 2 on a bar thicker than 15, else 1. */
    static int getThumbInset (int width, int height) noexcept;

    /** The thumb's rectangle in a bar at (x, y, width, height); empty when thumbSize is 0. */
    static juce::Rectangle<float> getThumbBounds (int x, int y, int width, int height, bool isScrollbarVertical,
                                                  int thumbStartPosition, int thumbSize) noexcept;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxScrollerLookAndFeel)
};
