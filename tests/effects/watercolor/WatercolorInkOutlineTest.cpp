#include "WatercolorInkOutline.h"

#include "ParallelRows.h"

#include <gtest/gtest.h>

#include "ImageTestUtils.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace
{
    /** White picture with a black disc and a mid-grey bar: flat areas, hard edges and a dark area. */
    SxImageRgbaBytes picture (int width, int height)
    {
        SxImageRgbaBytes image (width, height);
        const float cx = (float) width * 0.4f, cy = (float) height * 0.5f, r = (float) std::min (width, height) * 0.3f;
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image.getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                const bool disc = std::hypot ((float) x - cx, (float) y - cy) < r;
                const bool bar = x > width * 3 / 4 && x < width * 7 / 8;
                const uint8_t v = disc ? 0 : (bar ? 128 : 255);
                p[0] = 255; p[1] = v; p[2] = v; p[3] = v;
            }
        }
        return image;
    }

    SxImageRgbaBytes frameBorder (int width, int height)
    {
        SxImageRgbaBytes image (width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const bool frame = x < width / 8 || y < height / 8 || x >= width - width / 8 || y >= height - height / 8;
                uint8_t* p = image.getRowPointer (y) + x * 4;
                p[0] = 255; p[1] = p[2] = p[3] = frame ? 20 : 255;
            }
        return image;
    }

    bool sameBytes (const SxImageAlphaByte& a, const SxImageAlphaByte& b)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, (size_t) a.width * (size_t) a.height) == 0;
    }
}

TEST (InkOutlineWorkingSize, LongerSideBecomesAbout3000)
{
    using S = WatercolorInkOutline::Size;
    struct Case { int w, h; S expected; };
    const Case cases[] = {
        { 4000, 3000, { 3000, 2250 } }, { 3000, 4000, { 2250, 3000 } }, { 1000, 1000, { 3000, 3000 } },
        { 1, 500, { 1, 500 } },         { 500, 1, { 500, 1 } },         { 1, 1, { 1, 1 } },
        { 2, 2, { 3000, 3000 } },
        // A short side that would scale to zero keeps one pixel.
        { 20000, 3, { 3000, 1 } },      { 3, 20000, { 1, 6666 } },
        { 0, 10, { 0, 10 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ (WatercolorInkOutline::workingSize (c.w, c.h), c.expected) << c.w << " x " << c.h;
}

TEST (InkOutlineScreen, ExactValues)
{
    struct Case { uint8_t m, g, expected; };
    const Case cases[] = { { 0, 0, 0 }, { 0, 77, 77 }, { 100, 255, 255 }, { 200, 100, 221 }, { 255, 0, 255 }, { 128, 128, 191 } };
    for (const auto& c : cases)
    {
        SxImageAlphaByte mask (3, 2), layer (3, 2);
        std::memset (mask.pixels, c.m, 6);
        std::memset (layer.pixels, c.g, 6);
        WatercolorInkOutline::screenInto (mask, layer);
        EXPECT_EQ (mask.pixels[5], c.expected) << (int) c.m << " screen " << (int) c.g;
    }
    // Mismatched sizes touch only the common area.
    SxImageAlphaByte mask (4, 1), layer (2, 1);
    std::memset (layer.pixels, 255, 2);
    WatercolorInkOutline::screenInto (mask, layer);
    EXPECT_EQ (mask.pixels[1], 255);
    EXPECT_EQ (mask.pixels[2], 0);
}

TEST (InkOutlineDetail, FromOutlineSliders)
{
    EXPECT_FLOAT_EQ (WatercolorInkOutline::outlineDetail (0.45f, 0.5f), 1.0f - (0.55f * 0.275f + 0.65f) * 0.5f);
    EXPECT_FLOAT_EQ (WatercolorInkOutline::outlineDetail (1.0f, 1.0f), 0.35f);
    EXPECT_FLOAT_EQ (WatercolorInkOutline::outlineDetail (0.3f, 0.0f), 1.0f);
}

TEST (InkOutlineMask, DrawsEdgesAndFillsDarkAreas)
{
    const auto input = picture (160, 120);
    WatercolorSettings settings;
    settings.mOutline = 0.6f;
    settings.mOutlineDetail = 0.5f;

    settings.mOutlineThreshold = 1.0f;   // values below 75 are inked
    const auto filled = WatercolorInkOutline::makeMask (input, settings, nullptr, 1.0f);
    ASSERT_EQ (filled->width, 160);
    ASSERT_EQ (filled->height, 120);
    EXPECT_EQ (filled->getRowPointer (60)[64], 255);      // inside the disc
    EXPECT_EQ (filled->getRowPointer (5)[150], 0);        // flat white corner

    settings.mOutlineThreshold = 0.0f;   // no ink fill
    const auto outline = WatercolorInkOutline::makeMask (input, settings, nullptr, 1.0f);
    EXPECT_LT (outline->getRowPointer (60)[64], 10);      // flat inside the disc
    EXPECT_GT (outline->getRowPointer (60)[64 - 36], 100); // on the disc's edge
    EXPECT_GT (outline->getRowPointer (60)[(int) (160 * 0.75f) + 1], 50); // the bar's edge

    // The border's outline only ever adds ink.
    const auto border = frameBorder (50, 40);
    const auto withBorder = WatercolorInkOutline::makeMask (input, settings, &border, 1.0f);
    int raised = 0;
    for (int i = 0; i < 160 * 120; ++i)
    {
        ASSERT_GE (withBorder->pixels[i], outline->pixels[i]) << i;
        raised += withBorder->pixels[i] > outline->pixels[i] ? 1 : 0;
    }
    EXPECT_GT (raised, 100);
}

TEST (InkOutlineMask, ThinAndEmptyInputs)
{
    WatercolorSettings settings;
    for (auto [w, h] : { std::pair { 1, 37 }, { 37, 1 }, { 1, 1 }, { 9000, 2 } })
    {
        SxImageRgbaBytes input (w, h);
        const auto mask = WatercolorInkOutline::makeMask (input, settings, nullptr, 1.0f);
        EXPECT_EQ (mask->width, w);
        EXPECT_EQ (mask->height, h);
    }
    SxImageRgbaBytes empty;
    EXPECT_EQ (WatercolorInkOutline::makeMask (empty, settings, nullptr, 1.0f)->width, 0);

    // Damaged settings still give a mask of the input's size.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    settings.mOutline = settings.mOutlineDetail = settings.mOutlineThreshold = nan;
    const auto input = picture (40, 30);
    const auto mask = WatercolorInkOutline::makeMask (input, settings, nullptr, nan);
    EXPECT_EQ (mask->width, 40);
    EXPECT_EQ (mask->height, 30);
}

TEST (InkOutlineMask, CacheEntryFollowsInputAndBorder)
{
    WatercolorSettings settings;
    WatercolorCaches caches;
    auto input = picture (90, 60);
    RenderParameters parameters;
    parameters.image = &input;

    computeInkOutlineMask (caches, settings, parameters);
    ASSERT_TRUE (caches.inkOutlineMask);
    EXPECT_EQ (caches.inkOutlineMask->width, 90);
    EXPECT_TRUE (sameBytes (*caches.inkOutlineMask, *WatercolorInkOutline::makeMask (input, settings, nullptr, 1.0f)));

    caches.borderImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (frameBorder (30, 20)));
    computeInkOutlineMask (caches, settings, parameters);
    EXPECT_TRUE (sameBytes (*caches.inkOutlineMask,
                            *WatercolorInkOutline::makeMask (input, settings, caches.borderImage.get(), 1.0f)));

    parameters.image = nullptr;
    computeInkOutlineMask (caches, settings, parameters);
    EXPECT_FALSE (caches.inkOutlineMask);
}

TEST (InkOutlineMask, ThreadedEqualsSingleThreadAndGoldenHolds)
{
    WatercolorSettings settings;
    settings.mOutline = 0.45f;
    settings.mOutlineDetail = 0.5f;
    settings.mOutlineThreshold = 0.5f;
    const auto input = picture (400, 300);
    const auto border = frameBorder (64, 48);

    SxRef<SxImageAlphaByte> single;
    {
        ParallelRows::ScopedThreadLimit limit (1);
        single = WatercolorInkOutline::makeMask (input, settings, &border, 1.5f);
    }
    const auto threaded = WatercolorInkOutline::makeMask (input, settings, &border, 1.5f);
    EXPECT_TRUE (sameBytes (*single, *threaded));

    const auto small = WatercolorInkOutline::makeMask (picture (64, 48), settings, &border, 1.0f);
    EXPECT_EQ (sxtest::byteHash (*small, 1), 4393729446752434189ull) << "golden of the ink outline changed";
}
