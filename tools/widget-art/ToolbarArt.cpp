// The main window's toolbar: the icons of its buttons (drawn on the shared highlights, so
// they have none of their own), the shadow strip under the top bar, and the two tabs that
// hide and show the effect panel.
//
// Icons are light marks with a soft drop shadow, the pan tool's look, at the same weight:
// strokes of 4.5 pixels (a little over 2 on screen) so they stay readable at half size.

#include "ArtFamily.h"
#include "ArtKit.h"

using namespace ArtKit;

namespace
{
    constexpr float stroke = 4.5f;

    juce::Path strokedOutline (const juce::Path& line, float thickness = stroke)
    {
        juce::Path out;
        juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded).createStrokedPath (out, line);
        return out;
    }

    /** An icon: shape filled in the ink over its drop shadow, in a w x h picture. */
    juce::Image icon (int w, int h, const std::function<juce::Path (juce::Point<float> centre)>& shape)
    {
        return paint (w, h, [w, h, shape] (juce::Graphics& g)
        {
            const auto path = shape ({ (float) w * 0.5f, (float) h * 0.5f });
            g.setColour (juce::Colours::black.withAlpha (0.35f));
            g.fillPath (path, juce::AffineTransform::translation (0.0f, 2.0f));
            g.setColour (ink.withAlpha (0.92f));
            g.fillPath (path);
        });
    }

    /** A filled arrow head with softened corners, its tip at tip, pointing along angle. */
    juce::Path arrowHead (juce::Point<float> tip, float length, float halfWidth, float angle)
    {
        juce::Path p;
        p.addTriangle (0.0f, 0.0f, -length, -halfWidth, -length, halfWidth);
        p = p.createPathWithRoundedCorners (1.5f);
        p.applyTransform (juce::AffineTransform::rotation (angle).translated (tip));
        return p;
    }

    //==============================================================================
    /** An open folder: the back with its tab, and the front flap leaning forward. */
    juce::Path openFolder (juce::Point<float> c)
    {
        const float l = c.x - 20.0f, r = c.x + 20.0f, t = c.y - 14.0f, b = c.y + 14.0f;
        juce::Path back;
        back.startNewSubPath (l + 6.0f, b);
        back.lineTo (l, b);
        back.lineTo (l, t);
        back.lineTo (l + 12.0f, t);
        back.lineTo (l + 16.0f, t + 5.0f);
        back.lineTo (r - 4.0f, t + 5.0f);
        back.lineTo (r - 4.0f, t + 10.0f);

        juce::Path front;
        front.startNewSubPath (l, b);
        front.lineTo (l + 7.0f, t + 12.0f);
        front.lineTo (r + 4.0f, t + 12.0f);
        front.lineTo (r - 3.0f, b);
        front.closeSubPath();

        auto p = strokedOutline (back);
        p.addPath (strokedOutline (front));
        return p;
    }

    /** A tray with an arrow coming down into it. */
    juce::Path saveToTray (juce::Point<float> c)
    {
        juce::Path tray;
        tray.startNewSubPath (c.x - 19.0f, c.y + 2.0f);
        tray.lineTo (c.x - 19.0f, c.y + 15.0f);
        tray.lineTo (c.x + 19.0f, c.y + 15.0f);
        tray.lineTo (c.x + 19.0f, c.y + 2.0f);

        juce::Path shaft;
        shaft.startNewSubPath (c.x, c.y - 17.0f);
        shaft.lineTo (c.x, c.y - 1.0f);

        auto p = strokedOutline (tray);
        p.addPath (strokedOutline (shaft));
        p.addPath (arrowHead ({ c.x, c.y + 8.0f }, 11.0f, 9.0f, juce::MathConstants<float>::halfPi));
        p.setUsingNonZeroWinding (true);
        return p;
    }

    /** Two crop marks crossing at opposite corners. */
    juce::Path cropMarks (juce::Point<float> c)
    {
        const float s = 14.0f, reach = 20.0f;
        juce::Path a, b;
        a.startNewSubPath (c.x - s, c.y - reach);
        a.lineTo (c.x - s, c.y + s);
        a.lineTo (c.x + reach, c.y + s);
        b.startNewSubPath (c.x - reach, c.y - s);
        b.lineTo (c.x + s, c.y - s);
        b.lineTo (c.x + s, c.y + reach);

        auto p = strokedOutline (a);
        p.addPath (strokedOutline (b));
        return p;
    }

    /** A U-turn arrow: along the top towards the head, round on the far side, back below.
        towardsLeft gives undo, otherwise redo. */
    juce::Path turnArrow (juce::Point<float> c, bool towardsLeft)
    {
        const float r = 11.0f, topY = c.y - r + 1.0f, bottomY = c.y + r + 1.0f;
        juce::Path line;
        line.startNewSubPath (c.x - 10.0f, topY);
        line.lineTo (c.x + 6.0f, topY);
        line.addCentredArc (c.x + 6.0f, c.y + 1.0f, r, r, 0.0f, 0.0f, juce::MathConstants<float>::pi);
        line.lineTo (c.x - 13.0f, bottomY);

        auto p = strokedOutline (line);
        p.addPath (arrowHead ({ c.x - 22.0f, topY }, 13.0f, 10.5f, juce::MathConstants<float>::pi));
        p.setUsingNonZeroWinding (true);

        if (! towardsLeft)
            p.applyTransform (juce::AffineTransform::scale (-1.0f, 1.0f, c.x, c.y));
        return p;
    }

    /** A magnifying glass with a plus or a minus in its lens. */
    juce::Path magnifier (juce::Point<float> c, bool plus)
    {
        const juce::Point<float> lens { c.x - 4.0f, c.y - 4.0f };
        const float r = 12.0f;
        juce::Path ringLine;
        ringLine.addCentredArc (lens.x, lens.y, r, r, 0.0f, 0.0f, juce::MathConstants<float>::twoPi, true);
        ringLine.closeSubPath();
        auto p = strokedOutline (ringLine);

        juce::Path handle;
        const float d = r * 0.7071f + 2.0f;
        handle.startNewSubPath (lens.x + d, lens.y + d);
        handle.lineTo (lens.x + d + 9.0f, lens.y + d + 9.0f);
        p.addPath (strokedOutline (handle, 7.0f));

        juce::Path sign;
        sign.startNewSubPath (lens.x - 6.0f, lens.y);
        sign.lineTo (lens.x + 6.0f, lens.y);
        if (plus)
        {
            sign.startNewSubPath (lens.x, lens.y - 6.0f);
            sign.lineTo (lens.x, lens.y + 6.0f);
        }
        p.addPath (strokedOutline (sign, 3.5f));
        p.setUsingNonZeroWinding (true);
        return p;
    }

    /** A frame split down the middle: the left half solid (the result), the right half open
        (the original). */
    juce::Path splitFrame (juce::Point<float> c)
    {
        const auto frame = juce::Rectangle<float> (36.0f, 28.0f).withCentre (c);
        auto p = strokedOutline (roundedRect (frame, 5.0f));
        p.addPath (roundedRect (frame.withWidth (frame.getWidth() * 0.5f), 5.0f, { true, false, true, false }));

        juce::Path divider;
        divider.startNewSubPath (c.x, frame.getY() - 5.0f);
        divider.lineTo (c.x, frame.getBottom() + 5.0f);
        p.addPath (strokedOutline (divider, 3.0f));
        p.setUsingNonZeroWinding (true);
        return p;
    }

    /** A ring with an "i" inside. */
    juce::Path infoMark (juce::Point<float> c)
    {
        const float r = 16.0f;
        juce::Path ringLine;
        ringLine.addCentredArc (c.x, c.y, r, r, 0.0f, 0.0f, juce::MathConstants<float>::twoPi, true);
        ringLine.closeSubPath();
        auto p = strokedOutline (ringLine, 4.0f);
        p.addEllipse (c.x - 3.0f, c.y - 10.5f, 6.0f, 6.0f);
        p.addRoundedRectangle (c.x - 2.5f, c.y - 2.5f, 5.0f, 12.5f, 2.5f);
        p.setUsingNonZeroWinding (true);
        return p;
    }

    /** Four tiles: the maker's other products. */
    juce::Path tiles (juce::Point<float> c)
    {
        juce::Path p;
        const float side = 13.0f, gap = 5.0f;
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col)
                p.addRoundedRectangle (c.x - side - gap * 0.5f + (float) col * (side + gap),
                                       c.y - side - gap * 0.5f + (float) row * (side + gap), side, side, 3.0f);
        return p;
    }

    /** A die showing five, slightly turned, its pips cut out of it. */
    juce::Path die (juce::Point<float> c)
    {
        juce::Path p;
        const float side = 31.0f, r = 3.2f, o = 7.5f;
        p.addRoundedRectangle (-side * 0.5f, -side * 0.5f, side, side, 6.0f);
        for (auto pip : { juce::Point<float> (-o, -o), { o, -o }, { 0.0f, 0.0f }, { -o, o }, { o, o } })
            p.addEllipse (pip.x - r, pip.y - r, 2.0f * r, 2.0f * r);
        p.setUsingNonZeroWinding (false);
        p.applyTransform (juce::AffineTransform::rotation (-0.21f).translated (c));
        return p;
    }

    //==============================================================================
    /** The top bar's shadow over the canvas: dark at the top, gone at the bottom. Stretched
        to the window's width, so only its rows matter. */
    juce::Image shadowStrip (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            for (int y = 0; y < h; ++y)
            {
                const float t = ((float) y + 0.5f) / (float) h;
                g.setColour (juce::Colours::black.withAlpha (0.42f * (1.0f - t) * (1.0f - t)));
                g.fillRect (0, y, w, 1);
            }
        });
    }

    /** A tab in the effect panel's title bar grey, rounded on the left, whose right side
        runs off under the panel (or off the window's edge); a chevron points the way the
        panel will go. */
    juce::Image panelTab (int w, int h, bool pointsRight)
    {
        return paint (w, h, [w, h, pointsRight] (juce::Graphics& g)
        {
            // Flat in the title bar's grey, so the part that lies over the panel's title bar
            // disappears into it; the outline fades out before that part.
            const auto body = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
            const Corners left { true, false, true, false };
            g.setGradientFill (juce::ColourGradient (grey (34), (float) w - 30.0f, 0.0f, grey (77), (float) w - 16.0f, 0.0f, false));
            g.fillPath (roundedRect (body, 12.0f, left));
            g.setColour (grey (77));
            g.fillPath (roundedRect (body.withTrimmedLeft (2.0f).withTrimmedTop (2.0f).withTrimmedBottom (2.0f), 10.0f, left));
            g.setColour (juce::Colours::white.withAlpha (0.06f));
            g.fillRect (body.withTrimmedLeft (8.0f).withTrimmedTop (2.0f).withHeight (2.0f));

            const juce::Point<float> c { 34.0f, (float) h * 0.5f + 3.0f };   // the shadow strip covers the top
            const float dx = pointsRight ? 5.0f : -5.0f;
            polyline (g, { { c.x - dx, c.y - 9.0f + 2.0f }, { c.x + dx, c.y + 2.0f }, { c.x - dx, c.y + 9.0f + 2.0f } }, stroke, juce::Colours::black.withAlpha (0.35f));
            polyline (g, { { c.x - dx, c.y - 9.0f }, { c.x + dx, c.y }, { c.x - dx, c.y + 9.0f } }, stroke, ink.withAlpha (0.92f));
        });
    }

    ArtImage iconImage (const char* name, int w, int h, std::function<juce::Path (juce::Point<float>)> shape)
    {
        return { name, w, h, [shape] (int width, int height) { return icon (width, height, shape); } };
    }

    const ArtFamily::Registration family { { "toolbar", {
        iconImage ("toolbarOpen",      62, 52, openFolder),
        iconImage ("toolbarSave",      64, 52, saveToTray),
        iconImage ("toolbarCrop",      56, 52, cropMarks),
        iconImage ("toolbarUndo",      62, 52, [] (juce::Point<float> c) { return turnArrow (c, true); }),
        iconImage ("toolbarZoomIn",    52, 52, [] (juce::Point<float> c) { return magnifier (c, true); }),
        iconImage ("toolbarZoomOut",   52, 52, [] (juce::Point<float> c) { return magnifier (c, false); }),
        iconImage ("toolbarRedo",      62, 52, [] (juce::Point<float> c) { return turnArrow (c, false); }),
        iconImage ("toolbarCompare",   62, 52, splitFrame),
        iconImage ("toolbarInfo",      88, 68, infoMark),
        iconImage ("toolbarProducts",  88, 68, tiles),
        iconImage ("toolbarRandomize", 74, 52, die),
        { "toolbarShadow", 82, 16, shadowStrip },
        { "effectPanelHideArrow", 82, 60, [] (int w, int h) { return panelTab (w, h, true); } },
        { "effectPanelShowArrow", 82, 60, [] (int w, int h) { return panelTab (w, h, false); } },
    } } };
}
