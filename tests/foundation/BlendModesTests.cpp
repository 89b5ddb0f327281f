#include "BlendModes.h"
#include "ImageTestUtils.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>

using PixelMath::div255Round;
using PixelMath::makeWord;

namespace
{
    using Bytes = sxtest::PixelBytes;
    using sxtest::fillRandom;
    using sxtest::pixelAt;
    using sxtest::sameBytes;
    using BlendFn = std::function<void (SxImageRgbaBytes& out, const SxImageRgbaBytes& back, const SxImageRgbaBytes& src)>;

    struct Mode
    {
        std::string name;
        BlendFn run;
        std::function<int (int d, int s)> plainValue;   // opaque source over opaque backdrop
    };

    int overlayRef (int d, int s)
    {
        return d >= 128 ? std::max (0, 255 - 2 * (255 - d) * (255 - s) / 255) : std::min (2 * d * s / 255, 255);
    }

    int dodgeRef (int d, int s) { return std::min (d * 256 / (256 - s), 255); }

    /** The composited modes, each with its blend value as the reference formula. */
    const std::vector<Mode>& compositedModes()
    {
        static const std::vector<Mode> modes {
            { "screen", [] (auto& o, auto& b, auto& s) { blendScreen (o, b, s); },
              [] (int d, int s) { return (int) (255.0f - (float) ((255 - s) * (255 - d)) / 255.0f); } },
            { "multiply", [] (auto& o, auto& b, auto& s) { blendMultiply (o, b, s); },
              [] (int d, int s) { return (int) std::lround (d * s / 255.0); } },
            { "darken", [] (auto& o, auto& b, auto& s) { blendDarken (o, b, s); },
              [] (int d, int s) { return std::min (d, s); } },
            { "colorDodge", [] (auto& o, auto& b, auto& s) { blendColorDodge (o, b, s); }, dodgeRef },
            { "colorBurn", [] (auto& o, auto& b, auto& s) { blendColorBurn (o, b, s); },
              [] (int d, int s) { return s == 0 ? 0 : (int) (std::max (0.0, 1.0 - (1.0 - (double) (d / 255.0f)) / (double) (s / 255.0f)) * 255.0); } },
            { "overlay", [] (auto& o, auto& b, auto& s) { blendOverlay (o, b, s); }, overlayRef },
            { "hardLight", [] (auto& o, auto& b, auto& s) { blendHardLight (o, b, s); },
              [] (int d, int s) { return overlayRef (s, d); } },
            { "softLight", [] (auto& o, auto& b, auto& s) { blendSoftLight (o, b, s); },
              [] (int d, int s) { return div255Round ((255 - d) * div255Round (s * d)) + div255Round (d * (255 - div255Round ((255 - d) * (255 - s)))); } },
            { "dodgeBurnMix", [] (auto& o, auto& b, auto& s) { blendDodgeBurnMix (o, b, s); },
              [] (int d, int s) {   // source alpha 1: dodge and burn unscaled
                  const int burn = std::max (0, (int) ((float) d - (float) ((255 - d) * (255 - s)) / 255.0f));
                  return (int) ((float) s / 255.0f * (float) dodgeRef (d, s) + (1.0f - (float) s / 255.0f) * (float) burn); } },
        };
        return modes;
    }

    /** Every mode, with lighten and the masked multiply in the shape (out, back, src). */
    std::vector<std::pair<std::string, BlendFn>> allModes()
    {
        std::vector<std::pair<std::string, BlendFn>> all;
        for (const auto& m : compositedModes())
            all.emplace_back (m.name, m.run);
        all.emplace_back ("lighten", [] (auto& o, auto& b, auto& s) { blendLighten (o, b, s, 1.0f); });
        all.emplace_back ("multiplyThroughMask", [] (auto& o, auto& b, auto& s)
        {
            o.copyPixelsFrom (b);
            SxImageAlphaByte mask (o.width, o.height);
            std::memset (mask.pixels, 200, (size_t) o.width * (size_t) o.height);
            multiplyThroughMask (o, s, mask, 1.0f);
        });
        return all;
    }

    void setAlpha (SxImageRgbaBytes& image, uint8_t alpha)
    {
        for (size_t i = 0; i < (size_t) image.width * (size_t) image.height; ++i)
            image.pixels[i * 4] = alpha;
    }

    /** Every (backdrop, source) byte pair: backdrop red = row, source red = column; green
        and blue carry other pairs so that all three channels are exercised. */
    void makeGrid (SxImageRgbaBytes& backdrop, SxImageRgbaBytes& source)
    {
        for (int d = 0; d < 256; ++d)
            for (int s = 0; s < 256; ++s)
            {
                backdrop.setPixel (makeWord (255, (uint8_t) d, (uint8_t) s, (uint8_t) (255 - d)), s, d);
                source.setPixel (makeWord (255, (uint8_t) s, (uint8_t) d, (uint8_t) (255 - s)), s, d);
            }
    }
}

TEST (BlendModes, TransparentSourceLeavesTheBackdropByteExact)
{
    SxImageRgbaBytes backdrop (37, 23), source (37, 23);
    fillRandom (backdrop, 1);
    fillRandom (source, 2);
    setAlpha (source, 0);

    for (const auto& [name, run] : allModes())
    {
        SCOPED_TRACE (name);
        SxImageRgbaBytes image (backdrop);
        run (image, image, source);
        EXPECT_TRUE (sameBytes (image, backdrop));

        SxImageRgbaBytes separate (37, 23);
        separate.copyPixelsFrom (backdrop);
        SxImageRgbaBytes out (backdrop);
        run (out, backdrop, source);
        EXPECT_TRUE (sameBytes (out, backdrop));
    }
}

TEST (BlendModes, OpaqueOverOpaqueGivesThePlainBlendValue)
{
    SxImageRgbaBytes backdrop (256, 256), source (256, 256);
    makeGrid (backdrop, source);

    for (const auto& mode : compositedModes())
    {
        SCOPED_TRACE (mode.name);
        SxImageRgbaBytes out (backdrop);
        mode.run (out, out, source);
        int failures = 0;
        for (int d = 0; d < 256 && failures < 5; ++d)
            for (int s = 0; s < 256 && failures < 5; ++s)
            {
                const Bytes p = pixelAt (out, s, d);
                const Bytes expected { 255, (uint8_t) mode.plainValue (d, s), (uint8_t) mode.plainValue (s, d),
                                       (uint8_t) mode.plainValue (255 - d, 255 - s) };
                if (p != expected)
                {
                    ++failures;
                    ADD_FAILURE() << "d " << d << " s " << s << ": got " << (int) p[1] << " want " << (int) expected[1];
                }
            }
    }
}

TEST (BlendModes, StatedBlendValues)
{
    struct Case { const char* mode; int d, s, expected; };
    const Case cases[] = {
        { "screen", 0, 0, 0 }, { "screen", 77, 0, 77 }, { "screen", 255, 0, 255 },
        { "multiply", 255, 255, 255 }, { "multiply", 77, 255, 77 }, { "multiply", 0, 255, 0 },   // white is neutral
        { "darken", 10, 200, 10 }, { "darken", 200, 10, 10 },
        { "colorDodge", 1, 255, 255 }, { "colorDodge", 0, 255, 0 },
        { "colorBurn", 255, 0, 0 }, { "colorBurn", 255, 255, 255 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.mode << " d " << c.d << " s " << c.s);
        const auto& modes = compositedModes();
        const auto mode = std::find_if (modes.begin(), modes.end(), [&] (auto& m) { return m.name == c.mode; });
        ASSERT_NE (mode, modes.end());
        SxImageRgbaBytes backdrop (1, 1), source (1, 1);
        backdrop.setPixel (makeWord (255, (uint8_t) c.d, (uint8_t) c.d, (uint8_t) c.d), 0, 0);
        source.setPixel (makeWord (255, (uint8_t) c.s, (uint8_t) c.s, (uint8_t) c.s), 0, 0);
        mode->run (backdrop, backdrop, source);
        EXPECT_EQ (pixelAt (backdrop, 0, 0), (Bytes { 255, (uint8_t) c.expected, (uint8_t) c.expected, (uint8_t) c.expected }));
    }
}

TEST (BlendModes, TransparentBackdropTakesTheSourceColour)
{
    SxImageRgbaBytes backdrop (256, 256), source (256, 256);
    makeGrid (backdrop, source);
    setAlpha (backdrop, 0);

    for (const auto& mode : compositedModes())
    {
        SCOPED_TRACE (mode.name);
        SxImageRgbaBytes out (backdrop);
        mode.run (out, out, source);
        EXPECT_TRUE (sameBytes (out, source));

        // A half-transparent source keeps its alpha and, up to the reciprocal's rounding, its colour.
        SxImageRgbaBytes half (source);
        setAlpha (half, 100);
        SxImageRgbaBytes faded (backdrop);
        mode.run (faded, faded, half);
        int worst = 0;
        for (int i = 0; i < 256 * 256 * 4; i += 4)
        {
            ASSERT_EQ (faded.pixels[i], 100);
            for (int c = 1; c < 4; ++c)
                worst = std::max (worst, std::abs (faded.pixels[i + c] - half.pixels[i + c]));
        }
        EXPECT_LE (worst, 1);
    }
}

TEST (BlendModes, PartialSourceCompositesLikeSourceOver)
{
    // Screen of any source over black is the source, so this is plain source-over:
    // alpha 128 + 127 = 255 and red trunc (200 x 128 / 255) = 100.
    SxImageRgbaBytes backdrop (1, 1), source (1, 1);
    backdrop.setPixel (makeWord (255, 0, 0, 0), 0, 0);
    source.setPixel (makeWord (128, 200, 0, 0), 0, 0);
    blendScreen (backdrop, backdrop, source);
    EXPECT_EQ (pixelAt (backdrop, 0, 0), (Bytes { 255, 100, 0, 0 }));
}

TEST (BlendModes, OverlayEqualsHardLightWhereSourceEqualsBackdrop)
{
    SxImageRgbaBytes image (256, 3);
    fillRandom (image, 5);
    for (int x = 0; x < 256; ++x)
        image.setPixel (makeWord (255, (uint8_t) x, (uint8_t) (255 - x), (uint8_t) (x * 7)), x, 0);

    SxImageRgbaBytes overlay (image), hard (image);
    blendOverlay (overlay, overlay, image);
    blendHardLight (hard, hard, image);
    EXPECT_TRUE (sameBytes (overlay, hard));
}

TEST (BlendModes, SmallerSourceIsStretchedByOverlayOnly)
{
    SxImageRgbaBytes backdrop (6, 4), source (3, 2);
    backdrop.fill (makeWord (255, 200, 100, 50));
    fillRandom (source, 9);
    setAlpha (source, 255);

    for (const auto& [name, run] : allModes())
    {
        SCOPED_TRACE (name);
        SxImageRgbaBytes out (backdrop);
        run (out, out, source);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
            {
                const bool covered = x < 3 && y < 2;
                if (name == "overlay")
                {
                    // Each source pixel covers a 2 x 2 block of the backdrop.
                    SxImageRgbaBytes one (1, 1), sourcePixel (1, 1);
                    one.setPixel (backdrop.getPixel (x, y), 0, 0);
                    sourcePixel.setPixel (source.getPixel (x / 2, y / 2), 0, 0);
                    blendOverlay (one, one, sourcePixel);
                    EXPECT_EQ (out.getPixel (x, y), one.getPixel (0, 0)) << x << "," << y;
                }
                else if (! covered)
                {
                    EXPECT_EQ (out.getPixel (x, y), backdrop.getPixel (x, y)) << x << "," << y;
                }
            }
    }
}

TEST (BlendModes, RectanglesAreClippedToTheBackdrop)
{
    SxImageRgbaBytes backdrop (8, 6), source (8, 6);
    fillRandom (backdrop, 11);
    fillRandom (source, 12);
    setAlpha (source, 255);

    using RectBlend = std::function<void (SxImageRgbaBytes&, const SxImageRgbaBytes&, const SxImageRgbaBytes&, const RectBounds*)>;
    const std::pair<const char*, RectBlend> modes[] = {
        { "multiply", [] (auto& o, auto& b, auto& s, auto r) { blendMultiply (o, b, s, r); } },
        { "overlay", [] (auto& o, auto& b, auto& s, auto r) { blendOverlay (o, b, s, r); } },
        { "softLight", [] (auto& o, auto& b, auto& s, auto r) { blendSoftLight (o, b, s, r); } },
    };

    for (const auto& [name, run] : modes)
    {
        SCOPED_TRACE (name);
        SxImageRgbaBytes whole (backdrop);
        run (whole, whole, source, nullptr);

        const RectBounds huge { -50.0f, -50.0f, 1.0e6f, 1.0e6f };
        SxImageRgbaBytes clipped (backdrop);
        run (clipped, clipped, source, &huge);
        EXPECT_TRUE (sameBytes (clipped, whole));

        const RectBounds outside { 20.0f, 20.0f, 30.0f, 30.0f };
        SxImageRgbaBytes untouched (backdrop);
        run (untouched, untouched, source, &outside);
        EXPECT_TRUE (sameBytes (untouched, backdrop));

        // Columns 2..4 and rows 1..5 (truncated left/top, inclusive float right/bottom), clipped at the bottom.
        const RectBounds part { 2.9f, 1.5f, 4.5f, 40.0f };
        SxImageRgbaBytes partial (backdrop);
        run (partial, partial, source, &part);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
            {
                const bool inside = x >= 2 && x <= 4 && y >= 1;
                EXPECT_EQ (partial.getPixel (x, y), (inside ? whole : backdrop).getPixel (x, y)) << x << "," << y;
            }

        // An output smaller than the backdrop is written only where it exists.
        SxImageRgbaBytes small (3, 2);
        run (small, backdrop, source, &huge);
        EXPECT_EQ (small.getPixel (2, 1), whole.getPixel (2, 1));
    }
}

TEST (BlendModes, MismatchedSizesStayInsideEveryBuffer)
{
    SxImageRgbaBytes backdrop (9, 7), bigSource (20, 20), empty;
    fillRandom (backdrop, 21);
    fillRandom (bigSource, 22);
    for (const auto& [name, run] : allModes())
    {
        SCOPED_TRACE (name);
        SxImageRgbaBytes out (backdrop), small (4, 3);
        run (out, out, bigSource);
        run (small, backdrop, bigSource);
        run (out, backdrop, empty);
        EXPECT_TRUE (sameBytes (out, backdrop));
    }

    SxImageAlphaByte smallMask (3, 3);
    std::memset (smallMask.pixels, 255, 9);
    SxImageRgbaBytes image (backdrop);
    multiplyThroughMask (image, bigSource, smallMask, 1.0f);
    EXPECT_EQ (image.getPixel (5, 5), backdrop.getPixel (5, 5));
    EXPECT_NE (image.getPixel (1, 1), backdrop.getPixel (1, 1));
}

TEST (BlendModes, LightenMovesTowardsTheMaximumByTheSourceAlpha)
{
    SxImageRgbaBytes backdrop (256, 256), source (256, 256);
    makeGrid (backdrop, source);
    std::mt19937 rng (4);
    for (int i = 0; i < 256 * 256; ++i)
    {
        backdrop.pixels[i * 4] = (uint8_t) rng();
        source.pixels[i * 4] = (uint8_t) rng();
    }

    SxImageRgbaBytes out (backdrop);
    blendLighten (out, out, source, 1.0f);
    for (int i = 0; i < 256 * 256 * 4; i += 4)
    {
        ASSERT_EQ (out.pixels[i], backdrop.pixels[i]);
        for (int c = 1; c < 4; ++c)
        {
            const int k = backdrop.pixels[i + c], s = source.pixels[i + c];
            const double expected = k + (std::max (k, s) - k) * source.pixels[i] / 255.0;
            ASSERT_NEAR (out.pixels[i + c], expected, 1.0);
        }
    }

    // A factor scales the source before the maximum.
    SxImageRgbaBytes k (1, 1), s (1, 1);
    k.setPixel (makeWord (255, 100, 100, 100), 0, 0);
    s.setPixel (makeWord (255, 150, 60, 255), 0, 0);
    blendLighten (k, k, s, 0.5f);
    EXPECT_EQ (pixelAt (k, 0, 0), (Bytes { 255, 100, 100, 127 }));
}

TEST (BlendModes, MultiplyThroughMask)
{
    SxImageRgbaBytes image (256, 256), source (256, 256);
    makeGrid (image, source);
    SxImageAlphaByte full (256, 256), none (256, 256);
    std::memset (full.pixels, 255, 256 * 256);

    SxImageRgbaBytes untouched (image);
    multiplyThroughMask (untouched, source, none, 1.0f);
    EXPECT_TRUE (sameBytes (untouched, image));

    std::mt19937 rng (6);
    for (int i = 0; i < 256 * 256; ++i)
        image.pixels[i * 4] = (uint8_t) rng();
    SxImageRgbaBytes multiplied (image);
    multiplyThroughMask (multiplied, source, full, 1.0f);
    for (int i = 0; i < 256 * 256 * 4; i += 4)
    {
        ASSERT_EQ (multiplied.pixels[i], image.pixels[i]);
        for (int c = 1; c < 4; ++c)
            ASSERT_EQ (multiplied.pixels[i + c], div255Round (image.pixels[i + c] * source.pixels[i + c]));
    }

    // Partial weight mixes towards the multiply and keeps the alpha.
    SxImageAlphaByte half (256, 256);
    std::memset (half.pixels, 128, 256 * 256);
    SxImageRgbaBytes mixed (image);
    multiplyThroughMask (mixed, source, half, 0.7f);
    for (int i = 0; i < 256 * 256 * 4; i += 4)
    {
        ASSERT_EQ (mixed.pixels[i], image.pixels[i]);
        for (int c = 1; c < 4; ++c)
        {
            const int lo = std::min (image.pixels[i + c], multiplied.pixels[i + c]);
            const int hi = std::max (image.pixels[i + c], multiplied.pixels[i + c]);
            ASSERT_GE (mixed.pixels[i + c], lo);
            ASSERT_LE (mixed.pixels[i + c], hi);
        }
    }
}

TEST (BlendModes, AllCoresGiveTheSingleThreadedBytes)
{
    SxImageRgbaBytes backdrop (1100, 500), source (1100, 500), smallSource (300, 170);
    fillRandom (backdrop, 31);
    fillRandom (source, 32);
    fillRandom (smallSource, 33);

    auto modes = allModes();
    modes.emplace_back ("stretchedOverlay", [&] (auto& o, auto& b, auto&) { blendOverlay (o, b, smallSource); });
    for (const auto& [name, run] : modes)
    {
        SCOPED_TRACE (name);
        SxImageRgbaBytes serial (backdrop), parallel (backdrop);
        ParallelRows::setThreadLimit (1);
        run (serial, serial, source);
        ParallelRows::setThreadLimit (0);
        run (parallel, parallel, source);
        EXPECT_TRUE (sameBytes (serial, parallel));
    }
}
