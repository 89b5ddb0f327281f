// Controls: the slider thumb, the popover's row highlight and separator, the custom image
// placeholder and the busy spinner with its still picture.

#include "ArtFamily.h"
#include "ArtKit.h"

#include <cmath>

using namespace ArtKit;

namespace
{
    // Drawn into a 19 x 19 square whose centre falls on a pixel centre: a 15-pixel disc.
    juce::Image paintSliderThumb (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto disc = juce::Rectangle<float> (30.0f, 30.0f).withCentre ({ (float) w * 0.5f, (float) h * 0.5f });
            g.setColour (juce::Colours::black.withAlpha (0.35f));
            g.fillEllipse (disc.translated (0.0f, 2.0f).expanded (1.0f));
            g.setColour (grey (32));
            g.fillEllipse (disc);
            g.setGradientFill (juce::ColourGradient (ink, 0.0f, disc.getY(), grey (208), 0.0f, disc.getBottom(), false));
            g.fillEllipse (disc.reduced (2.0f));
        });
    }

    juce::Image paintPopoverHighlight (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            g.setGradientFill (juce::ColourGradient (accentShade (0.72f), 0.0f, 0.0f, accentShade (0.60f), 0.0f, (float) h, false));
            g.fillAll();
            g.setColour (juce::Colours::white.withAlpha (0.14f));
            g.fillRect (0, 0, w, 2);
        });
    }

    // A hairline that fades out towards both ends.
    juce::Image paintPopoverSeparator (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto line = juce::Colours::white.withAlpha (0.13f);
            juce::ColourGradient gradient (line.withAlpha (0.0f), 0.0f, 0.0f, line.withAlpha (0.0f), (float) w, 0.0f, false);
            gradient.addColour (0.12, line);
            gradient.addColour (0.88, line);
            g.setGradientFill (gradient);
            g.fillRect (0, 0, w, h);
        });
    }

    // No image chosen yet: a dashed well with a landscape sign and an accent plus.
    juce::Image paintPlaceholder (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto well = juce::Rectangle<float> (4.0f, 4.0f, (float) w - 8.0f, (float) h - 8.0f);
            g.setColour (grey (40));
            g.fillPath (roundedRect (well, 12.0f));

            juce::Path dashed;
            const float dashes[] = { 8.0f, 6.0f };
            juce::PathStrokeType (2.0f).createDashedStroke (dashed, roundedRect (well.reduced (1.0f), 11.0f), dashes, 2);
            g.setColour (ink.withAlpha (0.40f));
            g.fillPath (dashed);

            // The picture sign: a frame with a hill and a sun.
            const auto frame = juce::Rectangle<float> (48.0f, 36.0f).withCentre ({ (float) w * 0.5f, (float) h * 0.5f - 4.0f });
            g.setColour (ink.withAlpha (0.55f));
            g.fillPath (ring (frame, { 5.0f, 5.0f }, frame.reduced (4.0f), { 2.0f, 2.0f }));
            juce::Path hills;
            hills.startNewSubPath (frame.getX() + 4.0f, frame.getBottom() - 4.0f);
            hills.lineTo (frame.getX() + 18.0f, frame.getY() + 16.0f);
            hills.lineTo (frame.getX() + 28.0f, frame.getY() + 24.0f);
            hills.lineTo (frame.getX() + 34.0f, frame.getY() + 19.0f);
            hills.lineTo (frame.getRight() - 4.0f, frame.getBottom() - 8.0f);
            hills.lineTo (frame.getRight() - 4.0f, frame.getBottom() - 4.0f);
            hills.closeSubPath();
            g.fillPath (hills);
            g.fillEllipse (frame.getRight() - 16.0f, frame.getY() + 8.0f, 8.0f, 8.0f);

            // The plus badge at the frame's lower right.
            const auto badge = juce::Rectangle<float> (26.0f, 26.0f).withCentre (frame.getBottomRight() + juce::Point<float> (2.0f, 2.0f));
            g.setColour (grey (40));
            g.fillEllipse (badge.expanded (3.0f));
            g.setColour (accent);
            g.fillEllipse (badge);
            g.setColour (grey (32));
            g.fillRect (juce::Rectangle<float> (12.0f, 3.0f).withCentre (badge.getCentre()));
            g.fillRect (juce::Rectangle<float> (3.0f, 12.0f).withCentre (badge.getCentre()));
        });
    }

    constexpr float spinnerRadius = 48.0f, spinnerThickness = 10.0f;

    void spinnerTrack (juce::Graphics& g, juce::Point<float> centre, juce::Colour colour)
    {
        juce::Path track;
        track.addCentredArc (centre.x, centre.y, spinnerRadius, spinnerRadius, 0.0f, 0.0f, juce::MathConstants<float>::twoPi, true);
        g.setColour (colour);
        g.strokePath (track, juce::PathStrokeType (spinnerThickness));
    }

    // Turning: a comet of the accent around a faint track, its head at twelve o'clock, so it
    // looks the same from any angle but for the rotation.
    juce::Image paintSpinner (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const juce::Point<float> centre ((float) w * 0.5f, (float) h * 0.5f);
            spinnerTrack (g, centre, juce::Colours::white.withAlpha (0.10f));

            const int steps = 90;
            const float sweep = juce::MathConstants<float>::pi * 1.5f;
            for (int i = 0; i < steps; ++i)
            {
                const float t0 = (float) i / (float) steps, t1 = (float) (i + 1) / (float) steps;
                juce::Path piece;
                piece.addCentredArc (centre.x, centre.y, spinnerRadius, spinnerRadius, 0.0f,
                                     -sweep * (1.0f - t0), -sweep * (1.0f - t1) + 0.01f, true);
                g.setColour (accent.withAlpha (t1 * t1));
                g.strokePath (piece, juce::PathStrokeType (spinnerThickness, juce::PathStrokeType::curved, juce::PathStrokeType::butt));
            }
            g.setColour (accent);
            g.fillEllipse (juce::Rectangle<float> (spinnerThickness, spinnerThickness).withCentre ({ centre.x, centre.y - spinnerRadius }));
        });
    }

    // Frozen: the whole ring in the accent, the work standing still.
    juce::Image paintSpinnerStill (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            spinnerTrack (g, { (float) w * 0.5f, (float) h * 0.5f }, accent.withAlpha (0.75f));
        });
    }

    const ArtFamily::Registration family { { "controls", {
        { "sliderThumb",        38, 38, paintSliderThumb },
        { "popoverHighlight",   516, 72, paintPopoverHighlight },
        { "popoverSeparator",   294, 2, paintPopoverSeparator },
        { "customImagePlaceholder", 116, 116, paintPlaceholder },
        { "activitySpinner",      130, 130, paintSpinner },
        { "activitySpinnerStill", 130, 130, paintSpinnerStill },
    } } };
}
