// Canvas tools: the pan tool's button (an open hand) in its normal, hover and pressed looks,
// on the toolbar's highlights, for a 50 x 30 button.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    /** An open hand, palm towards the viewer, fitted into a box of height size centred on c. */
    juce::Path hand (juce::Point<float> c, float size)
    {
        juce::Path p;
        // In units of the box height, origin at the box centre.
        const struct { float x, top, width; } fingers[] = {
            { -0.235f, -0.36f, 0.125f }, { -0.085f, -0.47f, 0.13f }, { 0.07f, -0.44f, 0.13f }, { 0.22f, -0.33f, 0.12f },
        };
        for (auto& f : fingers)
            p.addRoundedRectangle (f.x - f.width * 0.5f, f.top, f.width, 0.5f - f.top - 0.30f + 0.22f, f.width * 0.5f);

        // The palm, rounded at the wrist.
        p.addRoundedRectangle (-0.30f, -0.12f, 0.58f, 0.60f, 0.20f);

        // The thumb, leaning out to the left.
        juce::Path thumb;
        thumb.addRoundedRectangle (-0.065f, -0.30f, 0.13f, 0.42f, 0.065f);
        thumb.applyTransform (juce::AffineTransform::rotation (-0.85f).translated (-0.34f, 0.14f));
        p.addPath (thumb);
        p.setUsingNonZeroWinding (true);

        p.applyTransform (juce::AffineTransform::scale (size).translated (c));
        return p;
    }

    enum class Look { normal, over, pressed };

    juce::Image paintPanTool (int w, int h, Look look)
    {
        return paint (w, h, [w, h, look] (juce::Graphics& g)
        {
            if (look != Look::normal)
                menuHighlight (g, w, h, look == Look::pressed);

            const auto shape = hand ({ (float) w * 0.5f, (float) h * 0.5f + 1.0f }, 40.0f);
            g.setColour (juce::Colours::black.withAlpha (0.35f));
            g.fillPath (shape, juce::AffineTransform::translation (0.0f, 2.0f));
            g.setColour (look == Look::normal ? ink.withAlpha (0.80f) : ink);
            g.fillPath (shape);
        });
    }

    const ArtFamily::Registration family { { "tools", {
        { "panToolNormal",  102, 60, [] (int w, int h) { return paintPanTool (w, h, Look::normal); } },
        { "panToolOver",    102, 60, [] (int w, int h) { return paintPanTool (w, h, Look::over); } },
        { "panToolPressed", 102, 60, [] (int w, int h) { return paintPanTool (w, h, Look::pressed); } },
    } } };
}
