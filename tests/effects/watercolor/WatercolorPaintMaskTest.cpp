#include "WatercolorPaintMask.h"

#include "InkOutlineAndPaper.h"
#include "ParallelRows.h"
#include "ResourceArchive.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include "ImageTestUtils.h"

#include <cstdlib>
#include <limits>
#include <random>

namespace
{
    /** No archive: the fibre pass is then only its tone table (0 stays 0, 255 becomes 128
        at amount 1), so painted pixels are exactly the non-zero ones. */
    class PaintMask : public ::testing::Test
    {
    protected:
        sxtest::TempFolder folder;
        WatercolorSettings settings;
        SelectMaskData maskData;
        RenderParameters parameters;

        void SetUp() override
        {
            ::setenv ("SX_RESOURCE_DIR", folder.get().getFullPathName().toRawUTF8(), 1);
            loadResourceArchiveIndex();
            settings.mStrength = 0.5f;   // fibre amount 1
            settings.mWetEdge = 0.0f;
        }

        void TearDown() override
        {
            ::unsetenv ("SX_RESOURCE_DIR");
            loadResourceArchiveIndex();
        }

        /** 256 x 1: pixel v holds grey v. */
        static SxImageAlphaByte ramp()
        {
            SxImageAlphaByte image (256, 1);
            for (int v = 0; v < 256; ++v)
                image.pixels[v] = (uint8_t) v;
            return image;
        }

        static SxBezierCurve square (float left, float top, float right, float bottom, bool positive)
        {
            SxBezierCurve curve;
            curve.closed = true;
            curve.positivePath = positive;
            for (auto [x, y] : { std::pair { left, top }, { right, top }, { right, bottom }, { left, bottom } })
                curve.appendNode ({ { x, y }, { x, y }, { x, y } });
            return curve;
        }
    };

    SxImageAlphaByte noiseFixture (int width, int height)
    {
        SxImageAlphaByte image (width, height);
        std::mt19937 random (7);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.getRowPointer (y)[x] = (uint8_t) ((x * 255 / width + (int) (random() % 40)) % 256);
        return image;
    }
}

TEST (PaintMaskBands, LimitsForAreaFillZeroAndOne)
{
    struct Case { int area; float edge; int low, high; };
    const Case cases[] = { { 0, 0.0f, 0, 35 },    { 1, 0.0f, 100, 100 }, { 2, 0.0f, 220, 256 },
                           { 0, 1.0f, 0, 236 },   { 1, 1.0f, 50, 150 },  { 2, 1.0f, 20, 256 },
                           { 0, 0.5f, 0, 135 },   { 1, 0.5f, 75, 125 },  { 2, 0.5f, 120, 256 } };
    for (const auto& c : cases)
    {
        int low = -1, high = -1;
        ASSERT_TRUE (WatercolorPaintMask::bandLimits (c.area, c.edge, low, high));
        EXPECT_EQ (low, c.low) << c.area << " at " << c.edge;
        EXPECT_EQ (high, c.high) << c.area << " at " << c.edge;
    }
    int low = 0, high = 0;
    for (int area : { -1, 3, 4, 9 })
        EXPECT_FALSE (WatercolorPaintMask::bandLimits (area, 0.5f, low, high)) << area;
}

TEST_F (PaintMask, BandsPaintExactlyTheirGreyRange)
{
    for (int area : { 0, 1, 2 })
        for (float edge : { 0.0f, 0.3f, 1.0f })
        {
            settings.mInsideColor = area;
            settings.mEdge = edge;
            int low = 0, high = 0;
            WatercolorPaintMask::bandLimits (area, edge, low, high);

            auto mask = ramp();
            buildPaintMask (mask, settings, maskData, parameters);
            for (int v = 0; v < 256; ++v)
                EXPECT_EQ (mask.pixels[v], (low <= v && v < high) ? 128 : 0) << area << " " << edge << " grey " << v;
        }
}

TEST_F (PaintMask, FullPaintsEverythingAndNegativeKeepsTheGrey)
{
    settings.mInsideColor = WatercolorSettings::full;
    auto full = ramp();
    buildPaintMask (full, settings, maskData, parameters);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ (full.pixels[v], 128);

    settings.mInsideColor = -1;
    auto grey = ramp();
    buildPaintMask (grey, settings, maskData, parameters);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ (grey.pixels[v], InkOutlineAndPaper::fibreToneValue (v)) << v;
}

TEST_F (PaintMask, MaskModeFillsOutlinesInOrder)
{
    settings.mInsideColor = WatercolorSettings::mask;

    // No traced outline: nothing is painted.
    SxImageAlphaByte none (40, 30);
    std::memset (none.pixels, 200, 40 * 30);
    buildPaintMask (none, settings, maskData, parameters);
    for (int i = 0; i < 40 * 30; ++i)
        ASSERT_EQ (none.pixels[i], 0);

    // A hole after the outline cuts into it; before it, the outline covers it again.
    maskData.curves = { square (2, 2, 38, 28, true), square (10, 10, 20, 20, false) };
    SxImageAlphaByte holed (40, 30);
    buildPaintMask (holed, settings, maskData, parameters);
    EXPECT_EQ (holed.getRowPointer (5)[5], 128);
    EXPECT_EQ (holed.getRowPointer (15)[15], 0);
    EXPECT_EQ (holed.getRowPointer (0)[0], 0);

    std::swap (maskData.curves[0], maskData.curves[1]);
    settings.mInsideColor = 7;   // larger values count as Mask
    SxImageAlphaByte covered (40, 30);
    buildPaintMask (covered, settings, maskData, parameters);
    EXPECT_EQ (covered.getRowPointer (5)[5], 128);
    EXPECT_EQ (covered.getRowPointer (15)[15], 128);
}

TEST_F (PaintMask, WetEdgeBlurFollowsSettingAndScale)
{
    EXPECT_FLOAT_EQ (WatercolorPaintMask::wetEdgeRadius (1.0f, 1.0f), 14.0f);
    EXPECT_FLOAT_EQ (WatercolorPaintMask::wetEdgeRadius (2.0f, 0.5f), 14.0f);
    EXPECT_FLOAT_EQ (WatercolorPaintMask::wetEdgeRadius (0.5f, 1.0f), 7.0f);
    EXPECT_FLOAT_EQ (WatercolorPaintMask::wetEdgeRadius (3.0f, 0.0f), 0.0f);

    // Dark paints the left half of a 0 | 255 step; the blur carries paint about the
    // radius into the right half.
    auto reach = [&] (float wetEdge, float scale)
    {
        settings.mInsideColor = WatercolorSettings::dark;
        settings.mEdge = 0.0f;
        settings.mWetEdge = wetEdge;
        parameters.renderScale = scale;
        SxImageAlphaByte step (200, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 200; ++x)
                step.getRowPointer (y)[x] = x < 100 ? 0 : 255;
        buildPaintMask (step, settings, maskData, parameters);
        int painted = 0;
        for (int x = 100; x < 200; ++x)
            painted += step.pixels[x] != 0 ? 1 : 0;
        return painted;
    };
    EXPECT_EQ (reach (0.0f, 1.0f), 0);
    EXPECT_NEAR (reach (1.0f, 1.0f), 14, 2);
    EXPECT_EQ (reach (0.5f, 2.0f), reach (1.0f, 1.0f));
    EXPECT_NEAR (reach (1.0f, 2.0f), 28, 3);
}

TEST_F (PaintMask, ThreadedEqualsSingleThreadAndGoldenHolds)
{
    settings.mInsideColor = WatercolorSettings::mid;
    settings.mEdge = 0.4f;
    settings.mWetEdge = 0.35f;
    parameters.renderScale = 1.5f;

    auto single = noiseFixture (1301, 975);
    {
        ParallelRows::ScopedThreadLimit limit (1);
        buildPaintMask (single, settings, maskData, parameters);
    }
    auto threaded = noiseFixture (1301, 975);
    buildPaintMask (threaded, settings, maskData, parameters);
    ASSERT_EQ (std::memcmp (single.pixels, threaded.pixels, 1301 * 975), 0);

    auto small = noiseFixture (64, 48);
    buildPaintMask (small, settings, maskData, parameters);
    EXPECT_EQ (sxtest::byteHash (small, 1), 14164719616084823787ull) << "golden of the paint mask changed";
}

TEST (FlattenBezierCurve, SampleCountsAndEnds)
{
    SxBezierCurve curve;
    for (auto [x, y] : { std::pair { 0.0f, 0.0f }, { 10.0f, 0.0f }, { 10.0f, 5.0f } })
        curve.appendNode ({ { x, y }, { x, y }, { x, y } });

    std::vector<SxPoint> open;
    flattenBezierCurve (curve, open, 100);
    ASSERT_EQ (open.size(), 202u);
    EXPECT_FLOAT_EQ (open.front().x, 0.0f);
    EXPECT_NEAR (open[100].x, 10.0f, 1e-4);
    EXPECT_NEAR (open.back().y, 5.0f, 1e-4);

    curve.closed = true;
    std::vector<SxPoint> closed { SxPoint { 99.0f, 99.0f } };   // appended to, not replaced
    flattenBezierCurve (curve, closed, 100);
    ASSERT_EQ (closed.size(), 1u + 303u);
    EXPECT_NEAR (closed.back().x, 0.0f, 1e-4);   // the last segment joins back to the first node

    SxBezierCurve single;
    single.appendNode ({ { 3.0f, 4.0f }, { 3.0f, 4.0f }, { 3.0f, 4.0f } });
    std::vector<SxPoint> one;
    flattenBezierCurve (single, one, 100);
    EXPECT_EQ (one.size(), 101u);

    std::vector<SxPoint> coarse;
    flattenBezierCurve (curve, coarse, 0);
    EXPECT_EQ (coarse.size(), 6u);
}

TEST_F (PaintMask, DamagedSettingsGiveDefinedBounds)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    int low = -1, high = -1;
    ASSERT_TRUE (WatercolorPaintMask::bandLimits (WatercolorSettings::mid, nan, low, high));
    EXPECT_EQ (low, 0);
    EXPECT_EQ (high, 0);
    EXPECT_EQ (WatercolorPaintMask::truncateBound (1.0e30f), 1000000);
    EXPECT_EQ (WatercolorPaintMask::truncateBound (-1.0e30f), -1000000);
    EXPECT_EQ (WatercolorPaintMask::truncateBound (35.9f), 35);

    settings.mInsideColor = WatercolorSettings::dark;
    settings.mEdge = nan;
    settings.mWetEdge = nan;
    auto mask = ramp();
    buildPaintMask (mask, settings, maskData, parameters);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ (mask.pixels[v], 0) << v;   // an empty band paints nothing
}
