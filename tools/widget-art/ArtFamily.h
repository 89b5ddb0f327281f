#pragma once

// The widget kit's artwork is painted here, one family per source file. A family is a table
// of images, each with its name (a C++ identifier: the embedded data declares it), its exact
// pixel size and the function that paints it:
//
//     static const ArtFamily::Registration family { { "buttons", {
//         { "checkboxTicked", 32, 32, [] (int w, int h) { return ...; } },
//     } } };
//
// Painters are pure: no clock, no global random state, no text, so a second run writes the
// same bytes. Every image is shown at half its pixel size; painters put edges on even pixels.

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <vector>

struct ArtImage
{
    const char* name;
    int width, height;
    /** Returns an ARGB image of exactly width x height. */
    std::function<juce::Image (int width, int height)> paint;
};

struct ArtFamily
{
    juce::String name;
    std::vector<ArtImage> images;

    /** Every registered family, sorted by name (images keep their table order). */
    static std::vector<ArtFamily> all();

    struct Registration
    {
        explicit Registration (ArtFamily family);
    };
};
