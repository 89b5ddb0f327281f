#pragma once

// The visual language of the widget art and the few drawing steps every family shares.
// Surfaces are greys from 32 to 77, the one accent is turquoise (79, 195, 212) and light
// marks use the text colour, 250. Coordinates are image pixels (twice the display size).

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace ArtKit
{
    inline const juce::Colour accent { 79, 195, 212 };
    inline const juce::Colour ink { 250, 250, 250 };

    /** An opaque grey, or one at the given alpha. */
    inline juce::Colour grey (int level, float alpha = 1.0f)
    {
        return juce::Colour ((juce::uint8) level, (juce::uint8) level, (juce::uint8) level).withAlpha (alpha);
    }

    /** The accent darkened so that text at 250 reads on it (brightness 1 is the accent). */
    inline juce::Colour accentShade (float brightness)
    {
        return accent.withMultipliedBrightness (brightness);
    }

    /** A cleared ARGB image painted by body. */
    juce::Image paint (int width, int height, const std::function<void (juce::Graphics&)>& body);

    /** A copy of area of source (its own pixels, not shared). */
    juce::Image crop (const juce::Image& source, juce::Rectangle<int> area);

    /** A surface: optional shadow line under it, an outline of `outline` pixels, a vertical
        fill from top to bottom and a highlight line along its top inside the outline. */
    struct Face
    {
        juce::Colour top, bottom;
        juce::Colour outline = grey (28);
        float outlineWidth = 2.0f;
        juce::Colour highlight = juce::Colours::white.withAlpha (0.10f);
        juce::Colour shadow = juce::Colours::black.withAlpha (0.30f);
        float shadowOffset = 2.0f;
    };

    /** Corners to round; the others stay square. */
    struct Corners
    {
        bool topLeft = true, topRight = true, bottomLeft = true, bottomRight = true;
    };

    void drawFace (juce::Graphics& g, juce::Rectangle<float> area, float radius, const Face& face, Corners corners = {});

    juce::Path roundedRect (juce::Rectangle<float> area, float radius, Corners corners = {});

    /** The ring between two rounded rectangles, with independent horizontal and vertical
        corner sizes (for art stretched unevenly). */
    juce::Path ring (juce::Rectangle<float> outer, juce::Point<float> outerCorner,
                     juce::Rectangle<float> inner, juce::Point<float> innerCorner);

    /** A blurred shadow of path. */
    void shadow (juce::Graphics& g, const juce::Path& path, juce::Colour colour, int radius, juce::Point<int> offset);

    /** A line with rounded ends through the points. */
    void polyline (juce::Graphics& g, std::initializer_list<juce::Point<float>> points, float thickness, juce::Colour colour);

    /** The toolbar's hover or pressed highlight behind a 50 x 30 icon button, filling a
        w x h picture; it stops short of the edges so neighbouring buttons keep a gap. */
    void menuHighlight (juce::Graphics& g, int w, int h, bool pressed);
}
