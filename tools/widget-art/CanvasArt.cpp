// The document canvas: the "Drag Image Here" card shown before the first image, and the
// eight pieces of the soft shadow framing the image.
//
// The words are drawn with a small stroke alphabet of their own (rounded strokes on a grid),
// not with a font, so the picture is the same on every machine.

#include "ArtFamily.h"
#include "ArtKit.h"

#include <cmath>
#include <map>

using namespace ArtKit;

namespace
{
    //==============================================================================
    // The stroke alphabet: glyphs in units of the capital height, baseline at y = 0, y down.

    struct Glyph
    {
        juce::Path strokes;
        float advance;
    };

    juce::Path line (float x0, float y0, float x1, float y1)
    {
        juce::Path p;
        p.startNewSubPath (x0, y0);
        p.lineTo (x1, y1);
        return p;
    }

    // The bowl shared by a and g: an ellipse left of the stem.
    juce::Path bowl()
    {
        juce::Path p;
        p.addEllipse (0.0f, -0.68f, 0.58f, 0.68f);
        return p;
    }

    // The arch of n and m from the stem at x over a width w.
    juce::Path arch (float x, float w)
    {
        juce::Path p;
        p.startNewSubPath (x, -0.42f);
        p.cubicTo (x, -0.60f, x + w * 0.22f, -0.68f, x + w * 0.5f, -0.68f);
        p.cubicTo (x + w * 0.78f, -0.68f, x + w, -0.60f, x + w, -0.42f);
        p.lineTo (x + w, 0.0f);
        return p;
    }

    std::map<juce::juce_wchar, Glyph> alphabet()
    {
        std::map<juce::juce_wchar, Glyph> glyphs;

        {
            juce::Path d;
            d.startNewSubPath (0.0f, 0.0f);
            d.lineTo (0.0f, -1.0f);
            d.lineTo (0.26f, -1.0f);
            d.cubicTo (0.56f, -1.0f, 0.72f, -0.78f, 0.72f, -0.5f);
            d.cubicTo (0.72f, -0.22f, 0.56f, 0.0f, 0.26f, 0.0f);
            d.closeSubPath();
            glyphs['D'] = { d, 0.72f };
        }
        {
            auto r = line (0.0f, -0.68f, 0.0f, 0.0f);
            r.startNewSubPath (0.0f, -0.38f);
            r.cubicTo (0.0f, -0.58f, 0.14f, -0.68f, 0.36f, -0.68f);
            glyphs['r'] = { r, 0.36f };
        }
        {
            auto a = bowl();
            a.addPath (line (0.58f, -0.68f, 0.58f, 0.0f));
            glyphs['a'] = { a, 0.58f };
        }
        {
            auto g = bowl();
            g.startNewSubPath (0.58f, -0.68f);
            g.lineTo (0.58f, 0.06f);
            g.cubicTo (0.58f, 0.26f, 0.44f, 0.34f, 0.28f, 0.34f);
            g.cubicTo (0.16f, 0.34f, 0.07f, 0.30f, 0.03f, 0.24f);
            glyphs['g'] = { g, 0.58f };
        }
        glyphs['I'] = { line (0.0f, -1.0f, 0.0f, 0.0f), 0.0f };
        {
            auto m = line (0.0f, -0.68f, 0.0f, 0.0f);
            m.addPath (arch (0.0f, 0.42f));
            m.addPath (arch (0.42f, 0.42f));
            glyphs['m'] = { m, 0.84f };
        }
        {
            juce::Path e = line (0.02f, -0.36f, 0.60f, -0.36f);
            e.addCentredArc (0.31f, -0.34f, 0.30f, 0.34f, 0.0f, juce::MathConstants<float>::halfPi - 0.12f,
                             -juce::MathConstants<float>::pi - 0.75f, false);
            glyphs['e'] = { e, 0.62f };
        }
        {
            auto h = line (0.0f, -1.0f, 0.0f, 0.0f);
            h.addPath (line (0.62f, -1.0f, 0.62f, 0.0f));
            h.addPath (line (0.0f, -0.52f, 0.62f, -0.52f));
            glyphs['H'] = { h, 0.62f };
        }
        glyphs[' '] = { {}, 0.12f };
        return glyphs;
    }

    /** text set in the stroke alphabet: capital height capHeight, strokes strokeWidth thick,
        the line centred on centre's x with its baseline at centre's y. */
    void strokeText (juce::Graphics& g, const juce::String& text, juce::Point<float> baselineCentre,
                     float capHeight, float strokeWidth)
    {
        static const auto glyphs = alphabet();
        const float gap = 0.22f + strokeWidth / capHeight;   // the room between two glyphs

        juce::Path all;
        float x = 0.0f;
        for (auto c : text)
        {
            const auto found = glyphs.find (c);
            if (found == glyphs.end())
                continue;
            all.addPath (found->second.strokes, juce::AffineTransform::translation (x, 0.0f));
            x += found->second.advance + gap;
        }
        const float width = x - gap;

        juce::Path outline;
        juce::PathStrokeType (strokeWidth / capHeight, juce::PathStrokeType::curved, juce::PathStrokeType::rounded)
            .createStrokedPath (outline, all);
        outline.applyTransform (juce::AffineTransform::translation (-width * 0.5f, 0.0f)
                                    .scaled (capHeight)
                                    .translated (baselineCentre));
        g.fillPath (outline);
    }

    //==============================================================================
    // The placeholder: a grey rounded card in a darker frame, a dashed drop line, a picture
    // sign with an arrow dropping into it, and the words. Shown at half size (273 x 273).

    juce::Image paintPlaceholder (int w, int h)
    {
        return paint (w, h, [w, h] (juce::Graphics& g)
        {
            const auto card = juce::Rectangle<float> (8.0f, 6.0f, (float) w - 16.0f, (float) h - 16.0f);
            shadow (g, roundedRect (card, 44.0f), juce::Colours::black.withAlpha (0.35f), 8, { 0, 3 });

            g.setColour (grey (44));
            g.fillPath (roundedRect (card, 44.0f));
            const auto face = card.reduced (8.0f);
            g.setGradientFill (juce::ColourGradient (grey (84), 0.0f, face.getY(), grey (70), 0.0f, face.getBottom(), false));
            g.fillPath (roundedRect (face, 36.0f));
            {
                juce::Graphics::ScopedSaveState state (g);
                g.reduceClipRegion (roundedRect (face, 36.0f));
                g.setColour (juce::Colours::white.withAlpha (0.10f));
                g.fillRect (face.withHeight (3.0f));
            }

            juce::Path dashed;
            const float dashes[] = { 22.0f, 14.0f };
            juce::PathStrokeType (4.0f).createDashedStroke (dashed, roundedRect (face.reduced (26.0f), 18.0f), dashes, 2);
            g.setColour (ink.withAlpha (0.30f));
            g.fillPath (dashed);

            // The picture sign, a frame with hills and a sun, below the centre.
            const auto centre = juce::Point<float> ((float) w * 0.5f, (float) h * 0.5f);
            const auto frame = juce::Rectangle<float> (176.0f, 132.0f).withCentre (centre.translated (0.0f, -6.0f));
            const auto signColour = ink.withAlpha (0.78f);
            g.setColour (signColour);
            g.fillPath (ring (frame, { 14.0f, 14.0f }, frame.reduced (11.0f), { 5.0f, 5.0f }));
            {
                const auto inner = frame.reduced (11.0f);
                juce::Path hills;
                hills.startNewSubPath (inner.getX(), inner.getBottom());
                hills.lineTo (inner.getX() + inner.getWidth() * 0.34f, inner.getY() + inner.getHeight() * 0.40f);
                hills.lineTo (inner.getX() + inner.getWidth() * 0.58f, inner.getY() + inner.getHeight() * 0.70f);
                hills.lineTo (inner.getX() + inner.getWidth() * 0.74f, inner.getY() + inner.getHeight() * 0.54f);
                hills.lineTo (inner.getRight(), inner.getBottom() - inner.getHeight() * 0.10f);
                hills.lineTo (inner.getRight(), inner.getBottom());
                hills.closeSubPath();
                g.fillPath (hills);
                g.fillEllipse (juce::Rectangle<float> (24.0f, 24.0f).withCentre ({ inner.getRight() - 30.0f, inner.getY() + 28.0f }));
            }

            // The arrow dropping into the frame's top edge, on a disc of the card's grey.
            const auto badge = juce::Rectangle<float> (78.0f, 78.0f).withCentre ({ frame.getCentreX(), frame.getY() - 6.0f });
            g.setColour (grey (80));
            g.fillEllipse (badge.expanded (8.0f));
            g.setColour (accent);
            g.fillEllipse (badge);
            g.setColour (grey (30));
            const auto c = badge.getCentre();
            polyline (g, { { c.x, c.y - 22.0f }, { c.x, c.y + 18.0f } }, 9.0f, grey (30));
            polyline (g, { { c.x - 17.0f, c.y + 2.0f }, { c.x, c.y + 19.0f }, { c.x + 17.0f, c.y + 2.0f } }, 9.0f, grey (30));

            g.setColour (ink.withAlpha (0.88f));
            strokeText (g, "Drag Image Here", { centre.x, (float) h - 116.0f }, 29.0f, 5.0f);
        });
    }

    //==============================================================================
    // The shadow: black whose alpha falls from one half at the inner edge to nothing 44 pixels
    // out. Edges fall off across their depth and are stretched along the image's sides;
    // corners fall off with the distance from the image's corner, which lies at the corner of
    // the piece that touches the image.

    float shadowAlpha (float distance, float depth)
    {
        const float t = juce::jlimit (0.0f, 1.0f, distance / depth);
        const float floor = std::exp (-4.0f);
        return 0.5f * (std::exp (-4.0f * t * t) - floor) / (1.0f - floor);
    }

    enum class Piece { topLeft, topRight, bottomLeft, bottomRight, top, bottom, left, right };

    juce::Image paintShadowPiece (Piece piece, int w, int h)
    {
        juce::Image image (juce::Image::ARGB, w, h, true, juce::SoftwareImageType());
        const float depth = (float) w;
        // The image's corner or edge, in the piece's pixel coordinates.
        const float innerX = (piece == Piece::topLeft || piece == Piece::bottomLeft || piece == Piece::left) ? (float) w : 0.0f;
        const float innerY = (piece == Piece::topLeft || piece == Piece::topRight || piece == Piece::top) ? (float) h : 0.0f;

        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                const float dx = (float) x + 0.5f - innerX, dy = (float) y + 0.5f - innerY;
                float distance = 0.0f;
                switch (piece)
                {
                    case Piece::top: case Piece::bottom:  distance = std::abs (dy); break;
                    case Piece::left: case Piece::right:  distance = std::abs (dx); break;
                    default:                              distance = std::hypot (dx, dy); break;
                }
                image.setPixelAt (x, y, juce::Colours::black.withAlpha (shadowAlpha (distance, depth)));
            }
        return image;
    }

    ArtImage shadowPiece (const char* name, Piece piece)
    {
        return { name, 44, 44, [piece] (int w, int h) { return paintShadowPiece (piece, w, h); } };
    }

    const ArtFamily::Registration family { { "canvas", {
        { "canvasPlaceholder", 544, 544, paintPlaceholder },
        shadowPiece ("canvasShadowTopLeft",     Piece::topLeft),
        shadowPiece ("canvasShadowTopRight",    Piece::topRight),
        shadowPiece ("canvasShadowBottomLeft",  Piece::bottomLeft),
        shadowPiece ("canvasShadowBottomRight", Piece::bottomRight),
        shadowPiece ("canvasShadowTop",         Piece::top),
        shadowPiece ("canvasShadowBottom",      Piece::bottom),
        shadowPiece ("canvasShadowLeft",        Piece::left),
        shadowPiece ("canvasShadowRight",       Piece::right),
    } } };
}
