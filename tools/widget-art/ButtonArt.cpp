// Buttons: the alert faces, the rebuild button, the three-slice button, the toolbar
// highlights, the checkbox and the close button.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    enum class Look { primary, secondary, pressed };

    Face faceFor (Look look)
    {
        switch (look)
        {
            case Look::primary:
                return { accentShade (0.80f), accentShade (0.64f), grey (24), 2.0f, juce::Colours::white.withAlpha (0.22f) };
            case Look::secondary:
                return { grey (77), grey (61), grey (26), 2.0f, juce::Colours::white.withAlpha (0.12f) };
            case Look::pressed:
                break;
        }
        // Pressed: sunk (darker at the top) and ringed in the accent.
        Face f { grey (36), grey (48), accent, 2.0f, juce::Colours::transparentBlack };
        f.shadow = juce::Colours::white.withAlpha (0.06f);
        return f;
    }

    /** A push button face filling the picture, with room for its shadow line below. */
    juce::Image paintFace (int w, int h, Look look)
    {
        return paint (w, h, [w, h, look] (juce::Graphics& g)
        {
            drawFace (g, { 2.0f, 2.0f, (float) w - 4.0f, (float) h - 6.0f }, 12.0f, faceFor (look));
        });
    }

    ArtImage face (const char* name, int w, int h, Look look)
    {
        return { name, w, h, [look] (int width, int height) { return paintFace (width, height, look); } };
    }

    // The three-slice button is painted as one 36-pixel button and cut in three.
    constexpr int sliceWidth = 12, sliceHeight = 54;

    juce::Image paintSlicedButton (bool pressed)
    {
        return paint (3 * sliceWidth, sliceHeight, [pressed] (juce::Graphics& g)
        {
            drawFace (g, { 0.0f, 2.0f, 3.0f * sliceWidth, sliceHeight - 6.0f }, 10.0f,
                      faceFor (pressed ? Look::pressed : Look::secondary));
        });
    }

    ArtImage slice (const char* name, bool pressed, int index)
    {
        return { name, sliceWidth, sliceHeight, [pressed, index] (int w, int h)
                 { return crop (paintSlicedButton (pressed), { index * sliceWidth, 0, w, h }); } };
    }

    juce::Image paintMenuHighlight (int w, int h, bool pressed)
    {
        return paint (w, h, [w, h, pressed] (juce::Graphics& g) { menuHighlight (g, w, h, pressed); });
    }

    juce::Image paintCheckbox (int w, int h, bool ticked)
    {
        return paint (w, h, [w, h, ticked] (juce::Graphics& g)
        {
            const auto box = juce::Rectangle<float> (4.0f, 4.0f, (float) w - 8.0f, (float) h - 8.0f);
            if (ticked)
            {
                g.setColour (accentShade (0.86f));
                g.fillPath (roundedRect (box, 5.0f));
                polyline (g, { { 10.0f, 16.5f }, { 14.0f, 20.5f }, { 22.5f, 11.5f } }, 3.5f, ink);
            }
            else
            {
                g.setColour (juce::Colours::white.withAlpha (0.42f));
                g.fillPath (roundedRect (box, 5.0f));
                g.setColour (grey (26));
                g.fillPath (roundedRect (box.reduced (2.0f), 3.0f));
            }
        });
    }

    juce::Image paintCloseButton (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto disc = juce::Rectangle<float> (2.0f, 2.0f, (float) w - 4.0f, (float) h - 4.0f);
            g.setColour (ink.withAlpha (0.85f));
            g.fillEllipse (disc);
            g.setColour (grey (32, 0.95f));
            g.fillEllipse (disc.reduced (3.0f));
            const float c = (float) w * 0.5f, arm = 7.0f;
            polyline (g, { { c - arm, c - arm }, { c + arm, c + arm } }, 4.0f, ink);
            polyline (g, { { c + arm, c - arm }, { c - arm, c + arm } }, 4.0f, ink);
        });
    }

    const ArtFamily::Registration family { { "buttons", {
        face ("alertButtonPrimary",   194, 62, Look::primary),
        face ("alertButtonSecondary", 194, 62, Look::secondary),
        face ("alertButtonPressed",   194, 62, Look::pressed),
        face ("rebuildButton",        386, 62, Look::secondary),
        face ("rebuildButtonPressed", 386, 62, Look::pressed),
        slice ("threeSliceLeft",          false, 0),
        slice ("threeSliceMiddle",        false, 1),
        slice ("threeSliceRight",         false, 2),
        slice ("threeSlicePressedLeft",   true,  0),
        slice ("threeSlicePressedMiddle", true,  1),
        slice ("threeSlicePressedRight",  true,  2),
        { "menuButtonHover",   102, 60, [] (int w, int h) { return paintMenuHighlight (w, h, false); } },
        { "menuButtonPressed", 102, 60, [] (int w, int h) { return paintMenuHighlight (w, h, true); } },
        { "checkboxUnticked", 32, 32, [] (int w, int h) { return paintCheckbox (w, h, false); } },
        { "checkboxTicked",   32, 32, [] (int w, int h) { return paintCheckbox (w, h, true); } },
        { "closeButton",      46, 46, paintCloseButton },
    } } };
}
