#include "ParallelRows.h"
#include "PixelMath.h"
#include "RgbaGaussianBlur.h"
#include "SxImageRgbaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

namespace
{
    using Pixel = std::array<int, 4>;
    using LineData = std::vector<Pixel>;

    // Direct references of the line passes, written from the algorithm description.
    LineData refKernelPass (const LineData& in, const std::vector<double>& taps)
    {
        const int n = (int) in.size(), h = (int) taps.size() / 2;
        LineData out (in.size());
        for (int i = 0; i < n; ++i)
            for (int b = 0; b < 4; ++b)
            {
                double sum = 0.0, weights = 0.0;
                bool cut = false;
                for (int k = -h; k <= h; ++k)
                {
                    if (i + k < 0 || i + k >= n) { cut = true; continue; }
                    sum += taps[(size_t) (k + h)] * in[(size_t) (i + k)][b];
                    weights += taps[(size_t) (k + h)];
                }
                out[(size_t) i][b] = (int) (cut ? sum / weights + 0.5 : sum + 0.5);
            }
        return out;
    }

    LineData refBoxPass (const LineData& in, int from, int to) // window i + from .. i + to
    {
        const int n = (int) in.size();
        LineData out (in.size());
        for (int i = 0; i < n; ++i)
            for (int b = 0; b < 4; ++b)
            {
                int sum = 0, e = 0;
                for (int p = i + from; p <= i + to; ++p)
                    if (p >= 0 && p < n)
                        sum += in[(size_t) p][b], ++e;
                out[(size_t) i][b] = (sum + e / 2) / e;
            }
        return out;
    }

    LineData refFilter (const LineData& in, double radius)
    {
        if (radius < 10.0)
            return refKernelPass (in, gaussianKernelTaps (radius));
        const int c = gaussianBoxSize (radius);
        if (c % 2 != 0)
        {
            const int m = (c - 1) / 2;
            return refBoxPass (refBoxPass (refBoxPass (in, -m, m), -m, m), -m, m);
        }
        const int m = c / 2;
        return refBoxPass (refBoxPass (refBoxPass (in, -m + 1, m), -m, m - 1), -m, m);
    }

    Pixel pixelAt (const SxImageRgbaBytes& img, int x, int y)
    {
        const uint8_t* p = img.getRowPointer (y) + x * 4;
        return { p[0], p[1], p[2], p[3] };
    }

    SxImageRgbaBytes refUnsharp (const SxImageRgbaBytes& src, double radius, double amount)
    {
        SxImageRgbaBytes blurred (src.width, src.height);
        for (int y = 0; y < src.height; ++y)
        {
            LineData row;
            for (int x = 0; x < src.width; ++x)
                row.push_back (pixelAt (src, x, y));
            row = refFilter (row, radius);
            for (int x = 0; x < src.width; ++x)
                for (int b = 0; b < 4; ++b)
                    blurred.getRowPointer (y)[x * 4 + b] = (uint8_t) row[(size_t) x][b];
        }
        for (int x = 0; x < src.width; ++x)
        {
            LineData column;
            for (int y = 0; y < src.height; ++y)
                column.push_back (pixelAt (blurred, x, y));
            column = refFilter (column, radius);
            for (int y = 0; y < src.height; ++y)
                for (int b = 0; b < 4; ++b)
                {
                    const int s = src.getRowPointer (y)[x * 4 + b];
                    const double v = (s - column[(size_t) y][b]) * amount + s;
                    blurred.getRowPointer (y)[x * 4 + b] = (uint8_t) std::clamp ((int) v, 0, 255);
                }
        }
        return blurred;
    }

    SxImageRgbaBytes randomImage (int w, int h, unsigned seed)
    {
        SxImageRgbaBytes img (w, h);
        std::mt19937 rng (seed);
        for (size_t i = 0; i < (size_t) w * h * 4; ++i)
            img.pixels[i] = (uint8_t) (rng() & 0xff);
        return img;
    }

    bool sameBytes (const SxImageRgbaBytes& a, const SxImageRgbaBytes& b)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, (size_t) a.width * a.height * 4) == 0;
    }
}

TEST (RgbaGaussianBlur, KernelTapsAndBoxSizes)
{
    const auto taps = gaussianKernelTaps (0.65); // sigma 1.65, half width 3
    ASSERT_EQ (taps.size(), 7u);
    EXPECT_NEAR (std::accumulate (taps.begin(), taps.end(), 0.0), 1.0, 1e-12);
    for (size_t t = 0; t < 3; ++t)
    {
        EXPECT_EQ (taps[t], taps[6 - t]);
        EXPECT_LT (taps[t], taps[t + 1]);
    }
    EXPECT_EQ (gaussianKernelTaps (9.99).size(), 45u);
    EXPECT_EQ (gaussianKernelTaps (-0.65), taps);

    struct Case { double radius; int box; };
    const Case cases[] = { { 10.0, 19 }, { 10.5, 20 }, { 40.0, 75 } };
    for (const auto& c : cases)
        EXPECT_EQ (gaussianBoxSize (c.radius), c.box) << c.radius;
}

TEST (RgbaGaussianBlur, MatchesTheReferenceForBothKindsOfBlur)
{
    const auto src = randomImage (37, 29, 3);
    for (double radius : { 0.65, 3.0, 10.0, 10.5, 25.0 })
        for (double amount : { -1.0, 0.65, 2.0 })
        {
            SxImageRgbaBytes out (37, 29);
            ASSERT_TRUE (unsharpMaskRgba (out, src, radius, amount));
            EXPECT_TRUE (sameBytes (out, refUnsharp (src, radius, amount))) << radius << " " << amount;
        }
}

TEST (RgbaGaussianBlur, AmountZeroIsIdentityAndMinusOneThePlainBlur)
{
    const auto src = randomImage (50, 20, 11);
    for (double radius : { 0.65, 12.0 })
    {
        SxImageRgbaBytes same (50, 20);
        ASSERT_TRUE (unsharpMaskRgba (same, src, radius, 0.0));
        EXPECT_TRUE (sameBytes (same, src));

        SxImageRgbaBytes blurred (50, 20), sharpened (50, 20);
        unsharpMaskRgba (blurred, src, radius, -1.0);
        // The plain blur smooths: neighbouring pixels differ less than in the noise.
        long long roughSrc = 0, roughBlur = 0;
        for (int x = 1; x < 50; ++x)
        {
            roughSrc += std::abs (src.getRowPointer (10)[x * 4 + 1] - src.getRowPointer (10)[x * 4 - 3]);
            roughBlur += std::abs (blurred.getRowPointer (10)[x * 4 + 1] - blurred.getRowPointer (10)[x * 4 - 3]);
        }
        EXPECT_LT (roughBlur * 3, roughSrc) << radius;
    }
}

TEST (RgbaGaussianBlur, ConstantImageUnchangedUpToTheBorders)
{
    for (double radius : { 0.65, 4.0, 10.0, 10.5, 40.0 })
    {
        SxImageRgbaBytes flat (23, 61), out (23, 61);
        flat.fill (PixelMath::makeWord (200, 17, 128, 255));
        ASSERT_TRUE (unsharpMaskRgba (out, flat, radius, -1.0));
        EXPECT_TRUE (sameBytes (out, flat)) << radius;
    }
}

TEST (RgbaGaussianBlur, SharpeningOvershootsAtAStep)
{
    SxImageRgbaBytes step (20, 5), out (20, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 20; ++x)
        {
            const uint8_t v = x < 10 ? 100 : 200;
            step.setPixel (PixelMath::makeWord (255, v, v, v), x, y);
        }
    ASSERT_TRUE (unsharpMaskRgba (out, step, 0.65, 0.65));
    EXPECT_LT (PixelMath::wordRed (out.getPixel (9, 2)), 100);
    EXPECT_GT (PixelMath::wordRed (out.getPixel (10, 2)), 200);
    EXPECT_EQ (PixelMath::wordRed (out.getPixel (0, 2)), 100);
    EXPECT_EQ (PixelMath::wordRed (out.getPixel (19, 2)), 200);
    EXPECT_EQ (PixelMath::wordAlpha (out.getPixel (9, 2)), 255);
}

TEST (RgbaGaussianBlur, InPlaceAndThreadedRunsGiveTheSameBytes)
{
    const auto src = randomImage (700, 530, 21);
    for (double radius : { 0.65, 14.0 })
    {
        SxImageRgbaBytes outOfPlace (700, 530), single (700, 530);
        ASSERT_TRUE (unsharpMaskRgba (outOfPlace, src, radius, 0.65));
        {
            ParallelRows::ScopedThreadLimit one (1);
            ASSERT_TRUE (unsharpMaskRgba (single, src, radius, 0.65));
        }
        SxImageRgbaBytes inPlace (src);
        ASSERT_TRUE (unsharpMaskRgba (inPlace, inPlace, radius, 0.65));
        EXPECT_TRUE (sameBytes (outOfPlace, single)) << radius;
        EXPECT_TRUE (sameBytes (outOfPlace, inPlace)) << radius;
    }
}

TEST (RgbaGaussianBlur, RefusesMismatchedSizesAndNonFiniteArguments)
{
    const auto src = randomImage (8, 8, 1);
    SxImageRgbaBytes other (8, 7);
    other.fill (0x12345678u);
    SxImageRgbaBytes before (other);
    EXPECT_FALSE (unsharpMaskRgba (other, src, 1.0, 1.0));
    EXPECT_TRUE (sameBytes (other, before));

    SxImageRgbaBytes out (8, 8);
    EXPECT_FALSE (unsharpMaskRgba (out, src, NAN, 1.0));
    EXPECT_FALSE (unsharpMaskRgba (out, src, 1.0, INFINITY));
    EXPECT_FALSE (unsharpMaskRgba (out, src, -1.0e6, 1.0));
    EXPECT_TRUE (unsharpMaskRgba (out, src, 1.0e6, 1.0)); // one box covering every line

    SxImageRgbaBytes empty, empty2;
    EXPECT_TRUE (unsharpMaskRgba (empty, empty2, 2.0, 1.0));
}

TEST (RgbaGaussianBlur, RowAndColumnHelpers)
{
    auto img = randomImage (5, 3, 8);
    std::vector<uint32_t> row (5), column (3);
    getRgbaRow (img, row.data(), 1);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ (row[(size_t) x], img.getPixel (x, 1));

    getRgbaColumn (img, column.data(), 7); // outside: zeros
    EXPECT_EQ (column, std::vector<uint32_t> (3, 0u));
    getRgbaColumn (img, column.data(), 2);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ (column[(size_t) y], img.getPixel (2, y));

    std::vector<uint32_t> ones (5, 0x01010101u);
    setRgbaRow (img, ones.data(), 0);
    setRgbaColumn (img, ones.data(), 4);
    setRgbaRow (img, ones.data(), 9); // ignored
    EXPECT_EQ (img.getPixel (3, 0), 0x01010101u);
    EXPECT_EQ (img.getPixel (4, 2), 0x01010101u);
}
