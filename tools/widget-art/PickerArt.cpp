// The thumbnail picker: the opener's placeholder and frame, and in the sliding panel the
// shadow card behind each thumbnail, the number badge and the selection frame. Each is
// stretched to a size that follows the thumbnail size, so none carries fine detail.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    // Nothing chosen (or its picture is missing): a flat well with a picture sign.
    juce::Image paintPlaceholder (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            g.setGradientFill (juce::ColourGradient (grey (58), 0.0f, 0.0f, grey (44), 0.0f, (float) h, false));
            g.fillAll();

            const auto frame = juce::Rectangle<float> ((float) w * 0.56f, (float) h * 0.44f).withCentre ({ (float) w * 0.5f, (float) h * 0.5f });
            g.setColour (ink.withAlpha (0.45f));
            g.fillPath (ring (frame, { 4.0f, 4.0f }, frame.reduced (4.0f), { 2.0f, 2.0f }));
            juce::Path hills;
            hills.startNewSubPath (frame.getX() + 4.0f, frame.getBottom() - 4.0f);
            hills.lineTo (frame.getX() + frame.getWidth() * 0.36f, frame.getY() + frame.getHeight() * 0.42f);
            hills.lineTo (frame.getX() + frame.getWidth() * 0.56f, frame.getY() + frame.getHeight() * 0.64f);
            hills.lineTo (frame.getX() + frame.getWidth() * 0.70f, frame.getY() + frame.getHeight() * 0.52f);
            hills.lineTo (frame.getRight() - 4.0f, frame.getBottom() - 10.0f);
            hills.lineTo (frame.getRight() - 4.0f, frame.getBottom() - 4.0f);
            hills.closeSubPath();
            g.fillPath (hills);
            g.fillEllipse (frame.getRight() - 16.0f, frame.getY() + 8.0f, 7.0f, 7.0f);
        });
    }

    // Behind the opener, 2 px larger on the right and at the bottom: a shadow along those
    // two edges.
    juce::Image paintOpenerFrame (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const float inset = (float) w * 2.0f / 28.0f;   // the opener's 2 px, at this scale
            juce::Path face;
            face.addRectangle (0.0f, 0.0f, (float) w - inset, (float) h - inset);
            shadow (g, face, juce::Colours::black.withAlpha (0.70f), 6, { 4, 4 });
            g.setColour (grey (24));
            g.fillPath (face);
        });
    }

    // Behind a thumbnail, 8 px larger on the right and at the bottom: the thumbnail seems to
    // lie on the panel with a soft shadow down and to the right.
    juce::Image paintItemBackground (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const float thumb = (float) w * 67.0f / 75.0f;
            juce::Path card;
            card.addRectangle (0.0f, 0.0f, thumb, thumb);
            shadow (g, card, juce::Colours::black.withAlpha (0.80f), 14, { 8, 8 });
            g.setColour (grey (28));
            g.fillPath (card);
        });
    }

    // The number's disc in a thumbnail's middle: dark, with a light rim, so the white digit
    // reads on any paper.
    juce::Image paintBadge (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto disc = juce::Rectangle<float> (2.0f, 2.0f, (float) w - 4.0f, (float) h - 4.0f);
            g.setColour (juce::Colours::black.withAlpha (0.30f));
            g.fillEllipse (disc.translated (0.0f, 1.0f));
            g.setColour (grey (32, 0.78f));
            g.fillEllipse (disc);
            g.setColour (ink.withAlpha (0.55f));
            g.drawEllipse (disc.reduced (1.5f), 3.0f);
        });
    }

    // Around the chosen thumbnail, 3 px outside it on every side: an accent ring with a dark
    // hairline on each side, so it shows against light and dark papers alike.
    juce::Image paintSelectionFrame (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto outer = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
            const float band = (float) w * 3.0f / 73.0f;   // the 3 px outside the thumbnail
            g.setColour (grey (20, 0.85f));
            g.fillPath (ring (outer, { 6.0f, 6.0f }, outer.reduced (band + 1.0f), { 2.0f, 2.0f }));
            g.setColour (accent);
            g.fillPath (ring (outer.reduced (1.0f), { 5.0f, 5.0f }, outer.reduced (band), { 2.0f, 2.0f }));
        });
    }

    const ArtFamily::Registration family { { "pickers", {
        { "imageListPlaceholder",     100, 100, paintPlaceholder },
        { "imageListOpenerFrame",     110, 110, paintOpenerFrame },
        { "imageListItemBackground",  220, 220, paintItemBackground },
        { "imageListBadge",           60, 59,   paintBadge },
        { "imageListSelectionFrame",  108, 108, paintSelectionFrame },
    } } };
}
