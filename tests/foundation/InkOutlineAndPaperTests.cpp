#include "AppIdentity.h"
#include "InkOutlineAndPaper.h"
#include "MedianFilter.h"
#include "ParallelRows.h"
#include "ResourceArchive.h"
#include "SxImageAlphaByte.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <cstring>

namespace
{
    bool sameBytes (const SxImageAlphaByte& a, const SxImageAlphaByte& b)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, (size_t) a.width * (size_t) a.height) == 0;
    }

    /** Blocks of random grey: medians of different radii differ on it. */
    SxImageAlphaByte blockyNoise (int width, int height)
    {
        SxImageAlphaByte image (width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                uint32_t h = (uint32_t) (x / 3) * 73856093u ^ (uint32_t) (y / 3) * 19349663u;
                h = h * 2654435761u;
                image.getRowPointer (y)[x] = (uint8_t) (h >> 24);
            }
        return image;
    }

    SxImageAlphaByte filled (int width, int height, uint8_t value)
    {
        SxImageAlphaByte image (width, height);
        std::memset (image.pixels, value, (size_t) width * (size_t) height);
        return image;
    }
}

TEST (InkOutline, ConstantPictureGivesNoOutline)
{
    for (const float strength : { 0.0f, 0.5f, 1.0f })
    {
        auto source = filled (120, 80, 90);
        auto destination = filled (120, 80, 7);
        makeInkOutline (source, destination, strength, 0.5f, 1.0f);
        auto* const end = destination.pixels + 120 * 80;
        EXPECT_TRUE (std::all_of (destination.pixels, end, [] (uint8_t v) { return v == 0; })) << strength;
    }
}

TEST (InkOutline, StepEdgeGivesABandAlongTheEdgeOnly)
{
    SxImageAlphaByte source (200, 60);
    for (int y = 0; y < 60; ++y)
        std::memset (source.getRowPointer (y), 20, 100), std::memset (source.getRowPointer (y) + 100, 230, 100);
    SxImageAlphaByte destination (source);

    makeInkOutline (source, destination, 0.6f, 0.3f, 1.0f);

    const auto* row = destination.getRowPointer (30);
    EXPECT_GT (std::max (row[99], row[100]), 100) << "ink on the edge, softened by the blur";
    for (int x = 0; x < 200; ++x)
    {
        if (std::abs (x - 100) > 6)
        {
            EXPECT_EQ (row[x], 0) << "x = " << x;
        }
    }
}

TEST (InkOutline, MedianRadiusFollowsDetailAndScale)
{
    struct Case { float detail, scale; int radius; };
    const Case cases[] = { { 0.0f, 1.0f, 3 }, { 1.0f, 1.0f, 12 }, { 0.5f, 1.0f, 7 }, { 2.0f, 1.0f, 21 },
                           { 0.0f, 2.0f, 6 }, { 1.0f, 0.5f, 6 }, { 0.0f, 0.2f, 0 } };
    const auto original = blockyNoise (90, 70);
    for (const auto& c : cases)
    {
        SCOPED_TRACE (::testing::Message() << "detail " << c.detail << " scale " << c.scale);
        SxImageAlphaByte source (original), destination (original);
        makeInkOutline (source, destination, 0.5f, c.detail, c.scale);

        SxImageAlphaByte expected (original.width, original.height);
        medianFilter (original, expected, c.radius);
        EXPECT_TRUE (sameBytes (source, expected)) << "source holds the median picture";
        if (c.radius > 0)
        {
            medianFilter (original, expected, c.radius + 1);
            EXPECT_FALSE (sameBytes (source, expected));
        }
    }
}

TEST (InkOutline, ThreadCountDoesNotChangeTheResult)
{
    const auto original = blockyNoise (700, 500);
    SxImageAlphaByte source (original), destination (original);
    makeInkOutline (source, destination, 0.8f, 0.4f, 1.0f);

    SxImageAlphaByte single (original), singleDestination (original);
    {
        ParallelRows::ScopedThreadLimit one (1);
        makeInkOutline (single, singleDestination, 0.8f, 0.4f, 1.0f);
    }
    EXPECT_TRUE (sameBytes (destination, singleDestination));
}

TEST (InkOutline, EmptyOrMismatchedImagesAreLeft)
{
    SxImageAlphaByte empty (0, 0), other (0, 0);
    makeInkOutline (empty, other, 1.0f, 1.0f, 1.0f);
    auto source = filled (10, 10, 5), destination = filled (10, 9, 9);
    makeInkOutline (source, destination, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ (destination.pixels[0], 9);
    EXPECT_EQ (source.pixels[0], 5);
}

TEST (FibreTexture, ToneTable)
{
    const std::pair<int, int> cases[] = { { 0, 0 }, { 1, 9 }, { 14, 135 }, { 19, 183 }, { 20, 193 },
                                          { 35, 160 }, { 49, 130 }, { 50, 128 }, { 128, 128 }, { 255, 128 } };
    for (const auto& [v, t] : cases)
        EXPECT_EQ (InkOutlineAndPaper::fibreToneValue (v), t) << v;
}

TEST (FibreTexture, Modulation)
{
    struct Case { int v, f, expected; };
    const Case cases[] = {
        { 128, 0, 128 }, { 128, 255, 128 },
        { 135, 255, 128 + 255 * 7 / 128 }, { 135, 100, 128 + 100 * 7 / 128 }, { 135, 0, 128 },
        { 193, 255, 255 },                  // 128 + 129 is limited
        { 100, 255, 99 }, { 100, 128, 50 }, { 0, 255, 0 }, { 9, 200, 7 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (InkOutlineAndPaper::modulateByFibre ((uint8_t) c.v, (uint8_t) c.f), c.expected) << c.v << ", " << c.f;
}

TEST (FibreTexture, AmountScalesAndClamps)
{
    struct Case { float amount; int v, expected; };
    const Case cases[] = { { 1.5f, 200, 255 }, { 1.5f, 100, 150 }, { 0.5f, 255, 127 }, { 0.0f, 200, 0 },
                           { -1.0f, 200, 0 }, { 1.5f, 0, 0 }, { std::numeric_limits<float>::quiet_NaN(), 100, 0 },
                           { std::numeric_limits<float>::infinity(), 1, 255 }, { std::numeric_limits<float>::infinity(), 0, 0 },
                           { 1e30f, 3, 255 } };
    for (const auto& c : cases)
    {
        auto image = filled (33, 3, (uint8_t) c.v);
        InkOutlineAndPaper::scaleAndClamp (image, c.amount);
        EXPECT_EQ (image.pixels[0], c.expected) << c.amount << " x " << c.v;
        EXPECT_EQ (image.pixels[98], c.expected);
    }
}

TEST (FibreTexture, WithoutFibresOnlyTheToneAndAmountApply)
{
    sxtest::TempFolder folder;
    ::setenv ("SX_RESOURCE_DIR", folder.get().getFullPathName().toRawUTF8(), 1);
    loadResourceArchiveIndex();

    const std::pair<int, int> cases[] = { { 255, 128 }, { 0, 0 }, { 14, 135 }, { 20, 193 } };
    for (const auto& [v, t] : cases)
    {
        auto image = filled (16, 4, (uint8_t) v);
        applyFibersTexture (image, "Quenzella_Tolva_General", 1.0f);
        EXPECT_EQ (image.pixels[63], t) << v;

        auto scaled = filled (16, 4, (uint8_t) v);
        applyFibersTexture (scaled, "Quenzella_Tolva_General", 1.5f);
        EXPECT_EQ (scaled.pixels[0], std::min (255, (int) ((float) t * 1.5f))) << v;
    }
    SxImageAlphaByte empty (0, 0);
    applyFibersTexture (empty, "Quenzella_Tolva_General", 1.0f);

    ::unsetenv ("SX_RESOURCE_DIR");
    loadResourceArchiveIndex();
}

TEST (FibreTexture, ShippedFibresKeepWhiteAtMidGreyAndBlackAtZero)
{
    ::unsetenv ("SX_RESOURCE_DIR");
    loadResourceArchiveIndex();
    if (getArchiveItemCount ("Quenzella_Tolva_General") == 0)
        GTEST_SKIP() << "no generated resource archive in this build";

    auto white = filled (300, 200, 255);
    applyFibersTexture (white, "Quenzella_Tolva_General", 1.0f);
    EXPECT_TRUE (std::all_of (white.pixels, white.pixels + 300 * 200, [] (uint8_t v) { return v == 128; }));

    auto black = filled (300, 200, 0);
    applyFibersTexture (black, "Quenzella_Tolva_General", 1.0f);
    EXPECT_TRUE (std::all_of (black.pixels, black.pixels + 300 * 200, [] (uint8_t v) { return v == 0; }));

    // A dark value is lifted above mid-grey and textured by the fibres.
    auto dark = filled (300, 200, 14);
    applyFibersTexture (dark, "Quenzella_Tolva_General", 1.0f);
    const auto [lo, hi] = std::minmax_element (dark.pixels, dark.pixels + 300 * 200);
    EXPECT_GE (*lo, 128);
    EXPECT_LE (*hi, 128 + 255 * 7 / 128);
    EXPECT_LT (*lo, *hi);
}
