// Segmented controls and tab rows: the segment slices in two heights, the scrolling strip's
// background and arrows, the page tabs and the tool separator.
//
// A segment row is painted as one rounded control, three slices wide, and cut: its left end,
// its plain fill and its right end; the divider is the fill with a dark line at its right edge,
// where the next segment begins.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    constexpr int sliceWidth = 12;

    Face segmentFace (bool selected)
    {
        if (selected)
            return { accentShade (0.78f), accentShade (0.62f), grey (24), 2.0f, juce::Colours::white.withAlpha (0.20f) };
        return { grey (66), grey (53), grey (28), 2.0f, juce::Colours::white.withAlpha (0.10f) };
    }

    juce::Image paintRow (int height, bool selected)
    {
        return paint (3 * sliceWidth, height, [height, selected] (juce::Graphics& g)
        {
            drawFace (g, { 0.0f, 2.0f, 3.0f * sliceWidth, (float) height - 6.0f }, 10.0f, segmentFace (selected));
        });
    }

    enum class Piece { leftEnd, fill, divider, rightEnd };

    juce::Image paintSegmentSlice (int height, Piece piece, bool selected)
    {
        const int index = piece == Piece::leftEnd ? 0 : piece == Piece::rightEnd ? 2 : 1;
        auto image = crop (paintRow (height, selected), { index * sliceWidth, 0, sliceWidth, height });

        if (piece == Piece::divider)
        {
            juce::Graphics g (image);
            g.setColour (grey (28));
            g.fillRect (juce::Rectangle<float> ((float) sliceWidth - 2.0f, 4.0f, 2.0f, (float) height - 10.0f));
        }
        return image;
    }

    ArtImage segment (const char* name, int height, Piece piece, bool selected)
    {
        return { name, sliceWidth, height, [piece, selected] (int, int h) { return paintSegmentSlice (h, piece, selected); } };
    }

    // Behind the scrolling segment strip: a recessed track, stretched to any width.
    juce::Image paintStripBackground (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            g.setGradientFill (juce::ColourGradient (grey (36), 0.0f, 0.0f, grey (44), 0.0f, (float) h, false));
            g.fillAll();
            g.setColour (grey (24));
            g.fillRect (0.0f, 0.0f, (float) w, 2.0f);
            g.setColour (juce::Colours::white.withAlpha (0.08f));
            g.fillRect (0.0f, (float) h - 2.0f, (float) w, 2.0f);
        });
    }

    enum class ArrowState { normal, over, pressed };

    juce::Image paintArrow (int w, int h, bool pointsLeft, ArrowState state)
    {
        return paint (w, h, [w, h, pointsLeft, state] (juce::Graphics& g)
        {
            const float cx = (float) w * 0.5f, cy = (float) h * 0.5f;
            if (state != ArrowState::normal)
            {
                g.setColour (state == ArrowState::over ? juce::Colours::white.withAlpha (0.10f) : accentShade (0.45f).withAlpha (0.9f));
                g.fillEllipse (juce::Rectangle<float> (44.0f, 44.0f).withCentre ({ cx, cy }));
            }
            const float dir = pointsLeft ? -1.0f : 1.0f, reach = 6.0f, half = 11.0f;
            const auto colour = state == ArrowState::normal ? ink.withAlpha (0.62f) : state == ArrowState::over ? ink : accent;
            polyline (g, { { cx - dir * reach, cy - half }, { cx + dir * reach, cy }, { cx - dir * reach, cy + half } }, 4.0f, colour);
        });
    }

    ArtImage arrow (const char* name, bool pointsLeft, ArrowState state)
    {
        return { name, 60, 60, [pointsLeft, state] (int w, int h) { return paintArrow (w, h, pointsLeft, state); } };
    }

    // A page tab is a dot: grey for the other pages, the accent for the page shown.
    juce::Image paintPageTab (int w, int h, bool selected)
    {
        return paint (w, h, [w, h, selected] (juce::Graphics& g)
        {
            const auto dot = juce::Rectangle<float> (24.0f, 24.0f).withCentre ({ (float) w * 0.5f, (float) h * 0.5f });
            g.setColour (selected ? accent : juce::Colours::white.withAlpha (0.38f));
            g.fillEllipse (dot);
            g.setColour (selected ? accentShade (0.9f) : grey (77));
            g.fillEllipse (dot.reduced (3.0f));
        });
    }

    // One display pixel of shadow beside one of light, fading out at both ends.
    juce::Image paintToolSeparator (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            for (int y = 0; y < h; ++y)
            {
                const float fade = juce::jlimit (0.0f, 1.0f, (float) juce::jmin (y + 1, h - y) / 8.0f);
                g.setColour (juce::Colours::black.withAlpha (0.45f * fade));
                g.fillRect (0, y, w / 2, 1);
                g.setColour (juce::Colours::white.withAlpha (0.12f * fade));
                g.fillRect (w / 2, y, w - w / 2, 1);
            }
        });
    }

    const ArtFamily::Registration family { { "segments", {
        segment ("segmentLeftEnd",              54, Piece::leftEnd,  false),
        segment ("segmentLeftEndSelected",      54, Piece::leftEnd,  true),
        segment ("segmentFill",                 54, Piece::fill,     false),
        segment ("segmentFillSelected",         54, Piece::fill,     true),
        segment ("segmentDividerFirst",         54, Piece::divider,  false),
        segment ("segmentDividerMiddle",        54, Piece::divider,  false),
        segment ("segmentRightEnd",             54, Piece::rightEnd, false),
        segment ("segmentRightEndSelected",     54, Piece::rightEnd, true),
        segment ("segmentSmallLeftEnd",         44, Piece::leftEnd,  false),
        segment ("segmentSmallLeftEndSelected", 44, Piece::leftEnd,  true),
        segment ("segmentSmallFill",            44, Piece::fill,     false),
        segment ("segmentSmallFillSelected",    44, Piece::fill,     true),
        segment ("segmentSmallDividerFirst",    44, Piece::divider,  false),
        segment ("segmentSmallDividerMiddle",   44, Piece::divider,  false),
        segment ("segmentSmallRightEnd",        44, Piece::rightEnd, false),
        segment ("segmentSmallRightEndSelected",44, Piece::rightEnd, true),
        { "segmentStripBackground", 216, 48, paintStripBackground },
        arrow ("stripArrowLeft",         true,  ArrowState::normal),
        arrow ("stripArrowLeftOver",     true,  ArrowState::over),
        arrow ("stripArrowLeftPressed",  true,  ArrowState::pressed),
        arrow ("stripArrowRight",        false, ArrowState::normal),
        arrow ("stripArrowRightOver",    false, ArrowState::over),
        arrow ("stripArrowRightPressed", false, ArrowState::pressed),
        { "pageTab",        48, 48, [] (int w, int h) { return paintPageTab (w, h, false); } },
        { "pageTabPressed", 48, 48, [] (int w, int h) { return paintPageTab (w, h, true); } },
        { "toolSeparator",  4, 46, paintToolSeparator },
    } } };
}
