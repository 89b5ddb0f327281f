#include "ParallelRows.h"
#include "PixelMath.h"
#include "Resampling.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

using PixelMath::makeWord;

namespace
{
    //==============================================================================
    // Direct per-pixel references, written from the algorithm descriptions.

    int tr (float v) { return (int) std::trunc (v); }

    const uint8_t* at (const SxImageRgbaBytes& img, int x, int y) { return img.pixels + ((size_t) y * (size_t) img.width + (size_t) x) * 4; }

    uint32_t refSample (const SxImageRgbaBytes& img, float x, float y)
    {
        x = x < 0.0f ? 0.0f : std::min (x, (float) (img.width - 1));
        y = y < 0.0f ? 0.0f : std::min (y, (float) (img.height - 1));
        const int r0 = std::clamp (tr (y), 0, img.height - 1);
        const float fy = y - (float) r0;
        const int r1 = r0 < img.height - 1 ? r0 + 1 : r0;
        const int c0 = tr (x);
        const float fx = x - (float) c0;
        const int c1 = c0 < img.width - 1 ? c0 + 1 : c0;
        uint8_t out[4];
        for (int b = 0; b < 4; ++b)
        {
            const int top = std::clamp ((int) ((float) at (img, c0, r0)[b] * (1.0f - fx) + (float) at (img, c1, r0)[b] * fx), 0, 255);
            const int bottom = std::clamp ((int) ((float) at (img, c0, r1)[b] * (1.0f - fx) + (float) at (img, c1, r1)[b] * fx), 0, 255);
            out[b] = (uint8_t) std::clamp ((int) ((float) top * (1.0f - fy) + (float) bottom * fy), 0, 255);
        }
        return makeWord (out[0], out[1], out[2], out[3]);
    }

    template <int Bpp>
    void refCopyRegion (uint8_t* dst, int dw, int dh, const uint8_t* src, int sw, int sh, RectBounds r, float pxf, float pyf)
    {
        const int px = tr (pxf), py = tr (pyf);
        const int dx = tr ((float) px - r.left), dy = tr ((float) py - r.top);
        const int xEnd = std::min ({ tr ((float) dx + r.right), dw - 1, dx + sw - 1 });
        const int yEnd = std::min ({ tr ((float) dy + r.bottom), dh - 1, dy + sh - 1 });
        const int xStart = std::max ({ px, 0, dx }), yStart = std::max ({ py, 0, dy });
        for (int y = yStart; y <= yEnd; ++y)
            for (int x = xStart; x <= xEnd; ++x)
                std::memcpy (dst + ((size_t) y * dw + x) * Bpp, src + ((size_t) (y - dy) * sw + (x - dx)) * Bpp, Bpp);
    }

    void refBlitRgba (SxImageRgbaBytes& dst, const SxImageRgbaBytes& src, RectBounds s, RectBounds d, int mode)
    {
        const int sw = tr (s.right - s.left), sh = tr (s.bottom - s.top);
        if (sw == tr (d.right - d.left) && sh == tr (d.bottom - d.top))
        {
            refCopyRegion<4> (dst.pixels, dst.width, dst.height, src.pixels, src.width, src.height,
                              { s.left, s.top, s.left + (float) sw, s.top + (float) sh }, d.left, d.top);
            return;
        }
        const int x0 = std::max (tr (d.left), 0), x1 = std::min (tr (d.right), dst.width - 1);
        const int y0 = std::max (tr (d.top), 0), y1 = std::min (tr (d.bottom), dst.height - 1);
        const int dcols = tr (d.right - d.left + 1.0f), drows = tr (d.bottom - d.top + 1.0f);
        if (x0 > x1 || y0 > y1 || src.width == 0 || src.height == 0 || dcols < 1 || drows < 1)
            return;
        const float ratioX = (float) tr (s.right - s.left + 1.0f) / (float) dcols;
        const float ratioY = (float) tr (s.bottom - s.top + 1.0f) / (float) drows;
        if (mode == 4)
            mode = d.right - d.left > s.right - s.left ? 1 : 3;

        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
            {
                uint32_t word = 0;
                if (mode == 3)
                {
                    const float yA = ((float) y - d.top) * ratioY + s.top, yB = ((float) (y + 1) - d.top) * ratioY + s.top;
                    const float xA = ((float) x - d.left) * ratioX + s.left, xB = ((float) (x + 1) - d.left) * ratioX + s.left;
                    const float rowLimit = std::min (yB > yA ? yB : yA + 1.0f, (float) src.height);
                    const float colLimit = std::min (xB > xA ? xB : xA + 1.0f, (float) src.width);
                    long long sum[4] = {}, count = 0;
                    for (int r = tr (yA); (float) r < rowLimit; ++r)
                        for (int c = tr (xA); (float) c < colLimit; ++c)
                        {
                            ++count;
                            if (r >= 0 && c >= 0)
                                for (int b = 0; b < 4; ++b)
                                    sum[b] += at (src, c, r)[b];
                        }
                    if (count > 0)
                        word = makeWord ((uint8_t) (sum[0] / count), (uint8_t) (sum[1] / count), (uint8_t) (sum[2] / count), (uint8_t) (sum[3] / count));
                }
                else
                {
                    word = refSample (src, ((float) x - d.left) * ratioX + s.left, ((float) y - d.top) * ratioY + s.top);
                }
                dst.setPixel (word, x, y);
            }
    }

    void refBlitGray (SxImageAlphaByte& dst, const SxImageAlphaByte& src, RectBounds s, RectBounds d, int mode)
    {
        for (auto* r : { &s, &d })
            *r = { std::trunc (r->left), std::trunc (r->top), std::trunc (r->right), std::trunc (r->bottom) };
        if (s.right - s.left == d.right - d.left && s.bottom - s.top == d.bottom - d.top)
        {
            refCopyRegion<1> (dst.pixels, dst.width, dst.height, src.pixels, src.width, src.height, s, d.left, d.top);
            return;
        }
        const int x0 = std::max (tr (d.left), 0), x1 = std::min (tr (d.right), dst.width - 1);
        const int y0 = std::max (tr (d.top), 0), y1 = std::min (tr (d.bottom), dst.height - 1);
        if (x0 > x1 || y0 > y1)
            return;
        auto P = [&] (int c, int r) { return (int) src.pixels[(size_t) r * src.width + c]; };

        if (mode == 1)
        {
            const int u = std::max (tr (d.bottom - d.top), 1), v = std::max (tr (d.right - d.left), 1);
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                {
                    // Sample positions clamped into the source.
                    const float sy = std::clamp ((s.bottom - s.top) * ((float) y - d.top) * (1.0f / (float) u) + s.top, 0.0f, (float) (src.height - 1));
                    const float sx = std::clamp ((s.right - s.left) * ((float) x - d.left) * (1.0f / (float) v) + s.left, 0.0f, (float) (src.width - 1));
                    const int r0 = std::clamp (tr (sy), 0, src.height - 1), wy = (int) ((sy - (float) r0) * 256.0f);
                    const int r1 = r0 < src.height - 1 ? r0 + 1 : r0;
                    const int c0 = tr (sx), wx = (int) ((sx - (float) c0) * 256.0f);
                    const int c1 = c0 < src.width - 1 ? c0 + 1 : c0;
                    const int top = (P (c0, r0) * (256 - wx) + P (c1, r0) * wx + 127) >> 8;
                    const int bottom = (P (c0, r1) * (256 - wx) + P (c1, r1) * wx + 127) >> 8;
                    dst.pixels[(size_t) y * dst.width + x] = (uint8_t) ((top * (256 - wy) + bottom * wy + 127) >> 8);
                }
            return;
        }

        const float dh = d.bottom - d.top == 0.0f ? 1.0f : d.bottom - d.top;
        const float dw = d.right - d.left == 0.0f ? 1.0f : d.right - d.left;
        for (int y = y0; y <= y1; ++y)
        {
            const float yA = s.top + (s.bottom - s.top) * ((float) y - d.top) * (1.0f / dh);
            const float yB = s.top + (s.bottom - s.top) * ((float) (y + 1) - d.top) * (1.0f / dh);
            const float rowLimit = std::min (yB > yA ? yB : yA + 1.0f, (float) src.height);
            if (rowLimit <= (float) tr (yA))
                continue;
            for (int x = x0; x <= x1; ++x)
            {
                const float xA = s.left + (s.right - s.left) * ((float) x - d.left) * (1.0f / dw);
                const float xB = s.left + (s.right - s.left) * ((float) (x + 1) - d.left) * (1.0f / dw);
                const float colLimit = std::min (xB > xA ? xB : xA + 1.0f, (float) src.width);
                int value = 0;
                if (colLimit > (float) tr (xA))
                {
                    long long sum = 0, count = 0;
                    for (int r = tr (yA); (float) r < rowLimit; ++r)
                        for (int c = tr (xA); (float) c < colLimit; ++c)
                            sum += P (c, r), ++count;
                    value = (int) (sum / count);
                }
                dst.pixels[(size_t) y * dst.width + x] = (uint8_t) value;
            }
        }
    }

    //==============================================================================
    void fillRandom (uint8_t* p, size_t n, std::mt19937& rng)
    {
        std::uniform_int_distribution<int> byte (0, 255);
        for (size_t i = 0; i < n; ++i)
            p[i] = (uint8_t) byte (rng);
    }

    bool sameBytes (const SxImageRgbaBytes& a, const SxImageRgbaBytes& b)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, (size_t) a.width * a.height * 4) == 0;
    }

    bool sameBytes (const SxImageAlphaByte& a, const SxImageAlphaByte& b)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, (size_t) a.width * a.height) == 0;
    }

    uint8_t red (const SxImageRgbaBytes& img, int x, int y) { return PixelMath::wordRed (img.getPixel (x, y)); }

    /** An image whose pixel (x, y) is (255, x mod 256, y mod 256, (x + y) mod 256). */
    SxImageRgbaBytes makeCoordinateImage (int w, int h)
    {
        SxImageRgbaBytes img (w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixel (makeWord (255, (uint8_t) x, (uint8_t) y, (uint8_t) (x + y)), x, y);
        return img;
    }
}

//==============================================================================
TEST (Resampling, BilinearSamplerClampsAndInterpolates)
{
    SxImageRgbaBytes img (3, 2);
    img.setPixel (makeWord (10, 0, 20, 30), 0, 0);
    img.setPixel (makeWord (255, 255, 40, 50), 1, 0);
    img.setPixel (makeWord (1, 2, 3, 4), 2, 0);

    struct Case { float x, y; uint32_t expected; };
    const Case cases[] = {
        { -3.0f, -3.0f, img.getPixel (0, 0) },          // before the image: first pixel
        { 3.0f + 5.0f, 0.0f, img.getPixel (2, 0) },      // past the width: last pixel of row 0
        { 0.5f, 0.0f, makeWord (132, 127, 30, 40) },     // halfway; 0..255 gives 127 (truncated)
        { 1.0f, 0.0f, img.getPixel (1, 0) },
    };
    for (const auto& c : cases)
        EXPECT_EQ (sampleRgbaBilinear (img, c.x, c.y), c.expected) << c.x << ", " << c.y;

    // Halfway down between row 0 and the zero row 1.
    EXPECT_EQ (PixelMath::wordRed (sampleRgbaBilinear (img, 1.0f, 0.5f)), 127);
    EXPECT_EQ (sampleRgbaBilinear (SxImageRgbaBytes(), 0.0f, 0.0f), 0u);
    EXPECT_EQ (sampleRgbaBilinear (img, std::nanf (""), 0.0f), img.getPixel (0, 0));
}

TEST (Resampling, UnscaledCopies)
{
    auto src = makeCoordinateImage (10, 10);

    // Same size rectangles: an unscaled copy with (0, 0) landing on (5, 5).
    SxImageRgbaBytes dst (20, 20);
    blitScaledRgba (dst, src, { 0, 0, 9, 9 }, { 5, 5, 14, 14 }, 1);
    EXPECT_EQ (dst.getPixel (5, 5), src.getPixel (0, 0));
    EXPECT_EQ (dst.getPixel (14, 14), src.getPixel (9, 9));
    EXPECT_EQ (dst.getPixel (4, 5), 0u);
    EXPECT_EQ (dst.getPixel (15, 14), 0u);

    // A negative destination point copies the rectangle's part from (2, 2) on to the origin.
    SxImageRgbaBytes dst2 (10, 10);
    dst2.copyRegionFrom (src, { 0, 0, 9, 9 }, SxPoint { -2.0f, -2.0f });
    EXPECT_EQ (dst2.getPixel (0, 0), src.getPixel (2, 2));
    EXPECT_EQ (dst2.getPixel (7, 7), src.getPixel (9, 9));
    EXPECT_EQ (dst2.getPixel (8, 8), 0u);

    // Same-size whole copy and a partial copy into a smaller destination.
    SxImageRgbaBytes same (10, 10);
    same.copyRegionFrom (src, { 0, 0, 9, 9 }, SxPoint {});
    EXPECT_TRUE (sameBytes (same, src));
    SxImageRgbaBytes small (4, 3);
    small.copyRegionFrom (src, { 3, 4, 9, 9 }, SxPoint { 1.0f, 1.0f });
    EXPECT_EQ (small.getPixel (1, 1), src.getPixel (3, 4));
    EXPECT_EQ (small.getPixel (3, 2), src.getPixel (5, 5));
    EXPECT_EQ (small.getPixel (0, 0), 0u);

    // Gray: same rules on bytes; non-finite input copies nothing.
    SxImageAlphaByte g (4, 4), out (4, 4);
    for (int i = 0; i < 16; ++i)
        g.pixels[i] = (uint8_t) (i + 1);
    copyAlphaRegion (out, g, { 1, 1, 2, 2 }, SxPoint { 0.0f, 0.0f });
    EXPECT_EQ (out.pixels[0], g.pixels[5]);
    EXPECT_EQ (out.pixels[5], g.pixels[10]);
    EXPECT_EQ (out.pixels[2], 0);
    copyAlphaRegion (out, g, { 0, 0, INFINITY, 3 }, SxPoint {});
    EXPECT_EQ (out.pixels[3], 0);
}

TEST (Resampling, BoxAverages)
{
    // Two pixels into one: red (0 + 255) / 2 truncated.
    SxImageRgbaBytes pair (2, 1), one (1, 1);
    pair.setPixel (makeWord (255, 0, 0, 0), 0, 0);
    pair.setPixel (makeWord (255, 255, 0, 0), 1, 0);
    blitScaledRgba (one, pair, { 0, 0, 1, 0 }, { 0, 0, 0, 0 }, 3);
    EXPECT_EQ (one.getPixel (0, 0), makeWord (255, 127, 0, 0));

    // 4 x 4 to 2 x 2: the truncated mean of each block, alpha included.
    SxImageRgbaBytes img (4, 4);
    std::mt19937 rng (7);
    fillRandom (img.pixels, 64, rng);
    SxImageRgbaBytes original (img);
    ASSERT_TRUE (resizeRgbaImage (img, 2, 2, 3));
    ASSERT_EQ (img.width, 2);
    for (int by = 0; by < 2; ++by)
        for (int bx = 0; bx < 2; ++bx)
            for (int b = 0; b < 4; ++b)
            {
                int sum = 0;
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < 2; ++x)
                        sum += at (original, bx * 2 + x, by * 2 + y)[b];
                EXPECT_EQ (at (img, bx, by)[b], sum / 4) << bx << "," << by << " byte " << b;
            }

    // A constant image stays constant for every box size (a float reciprocal lost a level at 41).
    for (int n : { 3, 25, 41, 49, 97 })
    {
        SxImageRgbaBytes flat (n, 1), dot (1, 1);
        flat.fill (0xFFFFFFFFu);
        blitScaledRgba (dot, flat, { 0, 0, (float) (n - 1), 0 }, { 0, 0, 0, 0 }, 3);
        EXPECT_EQ (dot.getPixel (0, 0), 0xFFFFFFFFu) << n;

        SxImageAlphaByte grayFlat (n, 1), grayDot (1, 1);
        std::fill (grayFlat.pixels, grayFlat.pixels + n, 255);
        RectBounds s { 0, 0, (float) n, 1 }, d { 0, 0, 1, 1 };
        blitScaled (grayDot, grayFlat, s, d, 3);
        EXPECT_EQ (grayDot.pixels[0], 255) << n;
    }

    // A box that lies wholly outside the source has no samples: pixel 0, no division by zero.
    SxImageRgbaBytes outside (3, 1);
    outside.fill (0x01020304u);
    blitScaledRgba (outside, pair, { 10, 0, 19, 0 }, { 0, 0, 2, 0 }, 3);
    EXPECT_EQ (outside.getPixel (0, 0), 0u);
}

TEST (Resampling, Mode4ChoosesBoxWhenShrinkingAndBilinearWhenEnlarging)
{
    auto src = makeCoordinateImage (200, 40);

    SxImageRgbaBytes viaMode4 (100, 20), viaBox (100, 20);
    blitScaledRgba (viaMode4, src, { 0, 0, 199, 39 }, { 0, 0, 99, 19 }, 4);
    blitScaledRgba (viaBox, src, { 0, 0, 199, 39 }, { 0, 0, 99, 19 }, 3);
    EXPECT_TRUE (sameBytes (viaMode4, viaBox));
    // 2 x 2 boxes: columns 2x and 2x + 1 average to 2x (truncated half).
    EXPECT_EQ (red (viaMode4, 10, 3), 20);

    auto small = makeCoordinateImage (100, 20);
    SxImageRgbaBytes up4 (200, 40), up1 (200, 40);
    blitScaledRgba (up4, small, { 0, 0, 99, 19 }, { 0, 0, 199, 39 }, 4);
    blitScaledRgba (up1, small, { 0, 0, 99, 19 }, { 0, 0, 199, 39 }, 1);
    EXPECT_TRUE (sameBytes (up4, up1));
    EXPECT_EQ (red (up4, 21, 0), 10); // position 10.5 between 10 and 11, truncated
}

TEST (Resampling, GrayEdgeToEdgeResize)
{
    SxImageAlphaByte g (2, 1);
    g.pixels[0] = 0;
    g.pixels[1] = 255;
    ASSERT_TRUE (resizeAlphaImage (g, 4, 1, 1));
    ASSERT_EQ (g.width, 4);
    const uint8_t expected[] = { 0, 127, 255, 255 };
    EXPECT_EQ (std::vector<uint8_t> (g.pixels, g.pixels + 4), std::vector<uint8_t> (expected, expected + 4));

    // The caller's rectangles come back truncated.
    SxImageAlphaByte src (20, 20), dst (20, 20);
    RectBounds s { 0.9f, 0.0f, 10.5f, 10.0f }, d { 0.0f, 0.0f, 5.7f, 5.2f };
    blitScaled (dst, src, s, d, 1);
    EXPECT_EQ (s, (RectBounds { 0, 0, 10, 10 }));
    EXPECT_EQ (d, (RectBounds { 0, 0, 5, 5 }));

    // A sample on the source's right edge reads the last column, not the byte after it.
    SxImageAlphaByte two (2, 1), wide (3, 1);
    two.pixels[0] = 10;
    two.pixels[1] = 200;
    RectBounds s2 { 0, 0, 2, 0 }, d2 { 0, 0, 1, 0 };
    blitScaled (wide, two, s2, d2, 1);
    EXPECT_EQ (wide.pixels[0], 10);
    EXPECT_EQ (wide.pixels[1], 200);
    EXPECT_EQ (wide.pixels[2], 0);

    // Zero-height destination in the box average: its row maps as one pixel high.
    SxImageAlphaByte flat (8, 4), line (4, 1);
    std::fill (flat.pixels, flat.pixels + 32, 90);
    RectBounds s3 { 0, 0, 8, 2 }, d3 { 0, 0, 4, 0 };
    blitScaled (line, flat, s3, d3, 3);
    EXPECT_EQ (std::vector<uint8_t> (line.pixels, line.pixels + 4), std::vector<uint8_t> (4, 90));
}

TEST (Resampling, ColourToGray)
{
    SxImageRgbaBytes src (4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.setPixel (makeWord (255, (uint8_t) (x * 30), (uint8_t) (y * 30), 30), x, y);

    // Same size: converted in place, positions outside the destination skipped.
    SxImageAlphaByte same (3, 3);
    blitScaledRgbaToGray (same, src, { 0, 0, 3, 3 }, { 0, 0, 3, 3 }, 1);
    EXPECT_EQ (same.pixels[0], 10);
    EXPECT_EQ (same.pixels[3 * 2 + 2], (60 + 60 + 30) / 3);

    // Scaled: bilinear samples, edge to edge.
    SxImageAlphaByte big (7, 7);
    blitScaledRgbaToGray (big, src, { 0, 0, 3, 3 }, { 0, 0, 6, 6 }, 1);
    EXPECT_EQ (big.pixels[0], 10);
    EXPECT_EQ (big.pixels[1], (15 + 0 + 30) / 3);
    EXPECT_EQ (big.pixels[7 * 6 + 6], (90 + 90 + 30) / 3);
}

TEST (Resampling, ResizeToFill)
{
    // 600 x 300 into a 300 x 300 square: columns 150..449 unscaled.
    auto img = makeCoordinateImage (600, 300);
    SxImageRgbaBytes original (img);
    ASSERT_TRUE (resizeRgbaImageToFill (img, { 0, 0, 299, 299 }, 1));
    ASSERT_EQ (img.width, 300);
    ASSERT_EQ (img.height, 300);
    for (int y : { 0, 150, 299 })
        for (int x : { 0, 1, 150, 299 })
            EXPECT_EQ (img.getPixel (x, y), original.getPixel (x + 150, y)) << x << "," << y;

    // 1200 x 600: the same covering rectangle, sampled at twice the destination position.
    auto big = makeCoordinateImage (1200, 600);
    SxImageRgbaBytes bigOriginal (big);
    ASSERT_TRUE (resizeRgbaImageToFill (big, { 0, 0, 299, 299 }, 1));
    ASSERT_EQ (big.width, 300);
    for (int y : { 0, 7, 299 })
        for (int x : { 0, 3, 299 })
            EXPECT_EQ (big.getPixel (x, y), sampleRgbaBilinear (bigOriginal, (float) ((x + 150) * 2), (float) (y * 2)));
}

TEST (Resampling, ResizeRefusesEmptySizes)
{
    auto img = makeCoordinateImage (5, 4);
    SxImageRgbaBytes original (img);
    SxImageAlphaByte g (5, 4);
    g.pixels[3] = 9;

    for (auto [w, h] : { std::pair { 0, 4 }, { 4, 0 }, { -1, 3 }, { 3, -7 } })
    {
        EXPECT_FALSE (resizeRgbaImage (img, w, h, 1));
        EXPECT_FALSE (resizeAlphaImage (g, w, h, 1));
    }
    EXPECT_FALSE (resizeRgbaImageToFill (img, { 0, 0, -1, 10 }, 1));
    EXPECT_FALSE (resizeRgbaImageToFill (img, { 0, 0, NAN, 10 }, 1));
    EXPECT_TRUE (sameBytes (img, original));
    EXPECT_EQ (g.width, 5);
    EXPECT_EQ (g.pixels[3], 9);

    // An empty image resizes to a transparent one.
    SxImageRgbaBytes empty;
    EXPECT_TRUE (resizeRgbaImage (empty, 3, 2, 1));
    EXPECT_EQ (empty.width, 3);
    EXPECT_EQ (empty.getPixel (2, 1), 0u);
}

//==============================================================================
TEST (ResamplingProperty, ColourCopiesMatchTheReference)
{
    std::mt19937 rng (1234);
    std::uniform_real_distribution<float> coord (-12.0f, 40.0f);
    std::uniform_int_distribution<int> size (1, 24);
    std::uniform_int_distribution<int> quarter (-8, 160);

    for (int iteration = 0; iteration < 3000; ++iteration)
    {
        SxImageRgbaBytes src (size (rng), size (rng));
        fillRandom (src.pixels, (size_t) src.width * src.height * 4, rng);
        SxImageRgbaBytes dst (size (rng), size (rng));
        fillRandom (dst.pixels, (size_t) dst.width * dst.height * 4, rng);
        SxImageRgbaBytes expected (dst);

        // Mix whole and quarter coordinates; fractional ones exercise the truncations.
        auto pick = [&] { return iteration % 2 == 0 ? coord (rng) : (float) quarter (rng) * 0.25f; };
        RectBounds s { pick(), pick(), pick(), pick() }, d { pick(), pick(), pick(), pick() };
        if (iteration % 3 != 0) // mostly well-ordered rectangles
        {
            if (s.right < s.left) std::swap (s.left, s.right);
            if (s.bottom < s.top) std::swap (s.top, s.bottom);
            if (d.right < d.left) std::swap (d.left, d.right);
            if (d.bottom < d.top) std::swap (d.top, d.bottom);
        }
        const int mode = (int[]) { 1, 3, 4 } [iteration % 3];

        blitScaledRgba (dst, src, s, d, mode);
        refBlitRgba (expected, src, s, d, mode);
        ASSERT_TRUE (sameBytes (dst, expected)) << "iteration " << iteration << " mode " << mode
            << " S " << s.left << "," << s.top << "," << s.right << "," << s.bottom
            << " D " << d.left << "," << d.top << "," << d.right << "," << d.bottom;
    }
}

TEST (ResamplingProperty, GrayCopiesMatchTheReference)
{
    std::mt19937 rng (99);
    std::uniform_int_distribution<int> size (1, 24);
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    std::uniform_real_distribution<float> coord (-10.0f, 40.0f);

    for (int iteration = 0; iteration < 3000; ++iteration)
    {
        SxImageAlphaByte src (size (rng), size (rng));
        fillRandom (src.pixels, (size_t) src.width * src.height, rng);
        SxImageAlphaByte dst (size (rng), size (rng));
        fillRandom (dst.pixels, (size_t) dst.width * dst.height, rng);
        SxImageAlphaByte expected (dst);

        // The source rectangle lies inside the source (its far edges may reach the size).
        const float l = unit (rng) * (float) (src.width - 1), t = unit (rng) * (float) (src.height - 1);
        RectBounds s { l, t, l + unit (rng) * ((float) src.width - l), t + unit (rng) * ((float) src.height - t) };
        RectBounds d { coord (rng), coord (rng), coord (rng), coord (rng) };
        if (iteration % 4 != 0)
        {
            if (d.right < d.left) std::swap (d.left, d.right);
            if (d.bottom < d.top) std::swap (d.top, d.bottom);
        }
        const int mode = iteration % 2 == 0 ? 1 : 3;

        RectBounds s2 = s, d2 = d;
        blitScaled (dst, src, s, d, mode);
        refBlitGray (expected, src, s2, d2, mode);
        ASSERT_TRUE (sameBytes (dst, expected)) << "iteration " << iteration << " mode " << mode
            << " S " << s.left << "," << s.top << "," << s.right << "," << s.bottom
            << " D " << d.left << "," << d.top << "," << d.right << "," << d.bottom;
    }
}

TEST (ResamplingProperty, ThreadedCopiesEqualSingleThreadedAndTheReference)
{
    std::mt19937 rng (5);
    SxImageRgbaBytes src (1300, 900);
    fillRandom (src.pixels, (size_t) src.width * src.height * 4, rng);
    SxImageAlphaByte gray (1300, 900);
    fillRandom (gray.pixels, (size_t) gray.width * gray.height, rng);

    for (int mode : { 1, 3 })
    {
        SxImageRgbaBytes threaded (517, 389), single (517, 389), reference (517, 389);
        const RectBounds s { 3.5f, 2.0f, 1290.0f, 897.25f }, d { -4.0f, 1.5f, 520.0f, 388.0f };
        blitScaledRgba (threaded, src, s, d, mode);
        {
            ParallelRows::ScopedThreadLimit one (1);
            blitScaledRgba (single, src, s, d, mode);
        }
        refBlitRgba (reference, src, s, d, mode);
        EXPECT_TRUE (sameBytes (threaded, single)) << mode;
        EXPECT_TRUE (sameBytes (threaded, reference)) << mode;

        SxImageAlphaByte gThreaded (517, 389), gSingle (517, 389);
        RectBounds gs { 0, 0, 1300, 900 }, gd { 0, 0, 517, 389 }, gs2 = gs, gd2 = gd;
        blitScaled (gThreaded, gray, gs, gd, mode);
        {
            ParallelRows::ScopedThreadLimit one (1);
            blitScaled (gSingle, gray, gs2, gd2, mode);
        }
        EXPECT_TRUE (sameBytes (gThreaded, gSingle)) << mode;
    }
}
