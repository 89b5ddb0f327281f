// The watercolour effects' page tab: a painter's palette with three wells of paint and a
// brush resting across it. Grey like the other page tabs while its page is hidden, the
// accent while pressed or shown; drawn for a 24 x 24 tab.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    /** The palette: an oval board, its thumb hole cut out, in a 48 x 48 picture. */
    juce::Path palette()
    {
        juce::Path board;
        board.addEllipse (5.0f, 9.0f, 36.0f, 29.0f);

        juce::Path hole;
        hole.addEllipse (10.0f, 25.0f, 7.0f, 6.0f);
        board.addPath (hole);
        board.setUsingNonZeroWinding (false);
        return board;
    }

    /** The brush: a handle from the top right down to a ferrule and a pointed tip. */
    juce::Path brushTip()
    {
        juce::Path tip;
        tip.startNewSubPath (27.0f, 31.0f);
        tip.quadraticTo (22.0f, 38.0f, 19.0f, 43.0f);
        tip.quadraticTo (26.0f, 41.0f, 31.0f, 35.0f);
        tip.closeSubPath();
        return tip;
    }

    juce::Image paintWatercolourTab (int w, int h, bool selected)
    {
        return paint (w, h, [selected] (juce::Graphics& g)
        {
            const auto body = selected ? accent : ink.withAlpha (0.62f);
            const auto wells = selected ? accentShade (0.45f) : grey (52);

            const auto board = palette();
            g.setColour (juce::Colours::black.withAlpha (0.35f));
            g.fillPath (board, juce::AffineTransform::translation (0.0f, 2.0f));
            g.setColour (body);
            g.fillPath (board);

            // Three wells of paint along the far edge of the board.
            g.setColour (wells);
            for (auto centre : { juce::Point<float> (15.0f, 17.0f), juce::Point<float> (24.0f, 14.5f), juce::Point<float> (33.0f, 18.0f) })
                g.fillEllipse (juce::Rectangle<float> (7.0f, 7.0f).withCentre (centre));

            // The brush lies across the board, its handle standing off to the top right.
            polyline (g, { { 44.0f, 6.0f }, { 30.0f, 32.0f } }, 5.0f, juce::Colours::black.withAlpha (0.45f));
            polyline (g, { { 43.0f, 5.0f }, { 29.5f, 30.0f } }, 4.0f, selected ? ink : grey (180));
            g.setColour (wells);
            g.fillPath (brushTip());
        });
    }

    const ArtFamily::Registration family { { "effects", {
        { "watercolourTab",        48, 48, [] (int w, int h) { return paintWatercolourTab (w, h, false); } },
        { "watercolourTabPressed", 48, 48, [] (int w, int h) { return paintWatercolourTab (w, h, true); } },
    } } };
}
