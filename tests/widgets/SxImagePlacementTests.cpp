#include "SxImagePlacement.h"

#include <gtest/gtest.h>

using SxImagePlacement::Fit;
using SxImagePlacement::Scaling;

TEST (SxImagePlacementTest, PlacesPicturesByFitAndScaling)
{
    struct Case
    {
        const char* what;
        Fit fit;
        Scaling scaling;
        juce::Point<int> image, button;
        juce::Rectangle<int> expected;
    };

    const Case cases[] = {
        { "wide picture covering a square",      Fit::cover,       Scaling::keepProportions, { 200, 100 }, { 100, 100 }, { -50, 0, 200, 100 } },
        { "wide picture fitted against the left", Fit::leftAligned, Scaling::keepProportions, { 200, 100 }, { 100, 100 }, { 0, 25, 100, 50 } },
        { "tick in the default checkbox",        Fit::leftAligned, Scaling::keepProportions, { 32, 32 },   { 190, 31 },  { 0, 0, 31, 31 } },
        { "tick in a preferences checkbox",      Fit::leftAligned, Scaling::keepProportions, { 32, 32 },   { 180, 15 },  { 0, 0, 15, 15 } },
        { "framework fit is centred",            Fit::centred,     Scaling::keepProportions, { 32, 32 },   { 190, 31 },  { 79, 0, 31, 31 } },
        { "tall picture covering a wide button", Fit::cover,       Scaling::keepProportions, { 100, 200 }, { 100, 50 },  { 0, -75, 100, 200 } },
        // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
        { "fitted width 2.5",                    Fit::leftAligned, Scaling::keepProportions, { 4, 8 },     { 100, 5 },   { 0, 0, 2, 5 } },
        { "fitted width 3.5",                    Fit::leftAligned, Scaling::keepProportions, { 4, 8 },     { 100, 7 },   { 0, 0, 4, 7 } },
        { "fitted height 2.5",                   Fit::centred,     Scaling::keepProportions, { 8, 4 },     { 5, 100 },   { 0, 49, 5, 2 } },
        { "covered width 3.5",                   Fit::cover,       Scaling::keepProportions, { 4, 8 },     { 1, 7 },     { -1, 0, 4, 7 } },
        // Other settings ignore the fit.
        { "stretched",                           Fit::cover,       Scaling::stretch,         { 200, 100 }, { 100, 100 }, { 0, 0, 100, 100 } },
        { "not rescaled, centred",               Fit::leftAligned, Scaling::none,            { 60, 60 },   { 30, 41 },   { -15, -9, 60, 60 } },
    };

    for (const auto& c : cases)
        EXPECT_EQ (SxImagePlacement::place (c.fit, c.scaling, c.image, c.button), c.expected) << c.what;
}
