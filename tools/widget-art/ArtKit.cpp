#include "ArtKit.h"

namespace ArtKit
{
    juce::Image paint (int width, int height, const std::function<void (juce::Graphics&)>& body)
    {
        juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        body (g);
        return image;
    }

    juce::Image crop (const juce::Image& source, juce::Rectangle<int> area)
    {
        juce::Image out (juce::Image::ARGB, area.getWidth(), area.getHeight(), true, juce::SoftwareImageType());
        out.clear (out.getBounds());
        juce::Graphics g (out);
        g.drawImageAt (source, -area.getX(), -area.getY());
        return out;
    }

    juce::Path roundedRect (juce::Rectangle<float> area, float radius, Corners corners)
    {
        juce::Path p;
        p.addRoundedRectangle (area.getX(), area.getY(), area.getWidth(), area.getHeight(), radius, radius,
                               corners.topLeft, corners.topRight, corners.bottomLeft, corners.bottomRight);
        return p;
    }

    void drawFace (juce::Graphics& g, juce::Rectangle<float> area, float radius, const Face& face, Corners corners)
    {
        if (face.shadowOffset > 0.0f && ! face.shadow.isTransparent())
        {
            g.setColour (face.shadow);
            g.fillPath (roundedRect (area.translated (0.0f, face.shadowOffset), radius, corners));
        }

        g.setColour (face.outline);
        g.fillPath (roundedRect (area, radius, corners));

        const auto inner = area.reduced (face.outlineWidth);
        const auto innerPath = roundedRect (inner, juce::jmax (0.0f, radius - face.outlineWidth), corners);
        g.setGradientFill (juce::ColourGradient (face.top, 0.0f, inner.getY(), face.bottom, 0.0f, inner.getBottom(), false));
        g.fillPath (innerPath);

        if (! face.highlight.isTransparent())
        {
            juce::Graphics::ScopedSaveState state (g);
            g.reduceClipRegion (innerPath);
            g.setColour (face.highlight);
            g.fillRect (inner.withHeight (2.0f));
        }
    }

    juce::Path ring (juce::Rectangle<float> outer, juce::Point<float> outerCorner,
                     juce::Rectangle<float> inner, juce::Point<float> innerCorner)
    {
        juce::Path p;
        p.addRoundedRectangle (outer.getX(), outer.getY(), outer.getWidth(), outer.getHeight(), outerCorner.x, outerCorner.y,
                               true, true, true, true);
        p.addRoundedRectangle (inner.getX(), inner.getY(), inner.getWidth(), inner.getHeight(), innerCorner.x, innerCorner.y,
                               true, true, true, true);
        p.setUsingNonZeroWinding (false);
        return p;
    }

    void shadow (juce::Graphics& g, const juce::Path& path, juce::Colour colour, int radius, juce::Point<int> offset)
    {
        juce::DropShadow (colour, radius, offset).drawForPath (g, path);
    }

    void polyline (juce::Graphics& g, std::initializer_list<juce::Point<float>> points, float thickness, juce::Colour colour)
    {
        juce::Path p;
        bool first = true;
        for (auto pt : points)
        {
            if (first) p.startNewSubPath (pt); else p.lineTo (pt);
            first = false;
        }
        g.setColour (colour);
        g.strokePath (p, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    void menuHighlight (juce::Graphics& g, int w, int h, bool pressed)
    {
        const auto area = juce::Rectangle<float> (4.0f, 4.0f, (float) w - 8.0f, (float) h - 8.0f);
        g.setColour (pressed ? accent.withAlpha (0.85f) : juce::Colours::white.withAlpha (0.16f));
        g.fillPath (roundedRect (area, 10.0f));
        g.setColour (pressed ? accentShade (0.42f).withAlpha (0.92f) : grey (77, 0.55f));
        g.fillPath (roundedRect (area.reduced (2.0f), 8.0f));
    }
}
