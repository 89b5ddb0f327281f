#include "GrayFilters.h"
#include "ParallelRows.h"
#include "SxImageAlphaByte.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace
{
    using Bytes = std::vector<uint8_t>;

    Bytes bytesOf (const SxImageAlphaByte& image)
    {
        return Bytes (image.pixels, image.pixels + (size_t) image.width * (size_t) image.height);
    }

    void setBytes (SxImageAlphaByte& image, const Bytes& bytes)
    {
        std::copy (bytes.begin(), bytes.end(), image.pixels);
    }

    Bytes noise (int w, int h, unsigned seed)
    {
        std::mt19937 rng (seed);
        Bytes b ((size_t) w * (size_t) h);
        for (auto& v : b)
            v = (uint8_t) (rng() & 0xff);
        return b;
    }

    /** Flat blocks with a few specks: long runs in both directions. */
    Bytes blocks (int w, int h, unsigned seed)
    {
        std::mt19937 rng (seed);
        Bytes b ((size_t) w * (size_t) h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b[(size_t) y * (size_t) w + (size_t) x] = rng() % 97 == 0 ? (uint8_t) (rng() & 0xff)
                                                                           : (uint8_t) (((x / 21 + y / 15) % 4) * 60 + 10);
        return b;
    }

    /** Box average with the window cut at the edges, as floats, truncated. */
    Bytes referenceBox (const Bytes& src, int w, int h, int o)
    {
        Bytes out (src.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                float s = 0, n = 0;
                for (int yy = std::max (0, y - o); yy <= std::min (h - 1, y + o); ++yy)
                    for (int xx = std::max (0, x - o); xx <= std::min (w - 1, x + o); ++xx)
                    {
                        s += src[(size_t) yy * (size_t) w + (size_t) xx];
                        n += 1;
                    }
                out[(size_t) y * (size_t) w + (size_t) x] = (uint8_t) (int) (s / n);
            }
        return out;
    }

    /** The integer Gaussian as a plain direct sum with replicated edges, vertical pass first. */
    Bytes referenceGaussian (Bytes img, int w, int h, double r)
    {
        const double x = std::fabs (r * 1.35f) + 1.0;
        const double d = x * x / std::log (255.0);
        const int R = GrayFilters::gaussianHalfWidth (r);
        std::vector<int64_t> weight ((size_t) (2 * R + 1));
        int64_t total = 0;
        for (int t = -R; t <= R; ++t)
            total += weight[(size_t) (t + R)] = t == 0 ? 255 : (int64_t) (255.0 * std::exp (-(double) t * t / d));

        auto pass = [&] (int lines, int length, auto at)
        {
            std::vector<uint8_t> line ((size_t) length);
            for (int i = 0; i < lines; ++i)
            {
                for (int j = 0; j < length; ++j)
                    line[(size_t) j] = at (i, j);
                for (int j = 0; j < length; ++j)
                {
                    int64_t s = 0;
                    for (int t = -R; t <= R; ++t)
                        s += weight[(size_t) (t + R)] * line[(size_t) std::clamp (j + t, 0, length - 1)];
                    at (i, j) = (uint8_t) (s / total);
                }
            }
        };
        pass (w, h, [&] (int col, int row) -> uint8_t& { return img[(size_t) row * (size_t) w + (size_t) col]; });
        pass (h, w, [&] (int row, int col) -> uint8_t& { return img[(size_t) row * (size_t) w + (size_t) col]; });
        return img;
    }

    Bytes mix (const Bytes& a, const Bytes& b, int c)
    {
        Bytes out (a.size());
        for (size_t i = 0; i < a.size(); ++i)
            out[i] = (uint8_t) (((256 - c) * a[i] + c * b[i] + 127) >> 8);
        return out;
    }
}

//==============================================================================
TEST (BoxBlurGray, RadiusRoundsToTheWindowAndEdgesAverageWhatIsInside)
{
    const int w = 37, h = 23;
    const Bytes src = noise (w, h, 1);
    struct Case { float r; int o; };
    const Case cases[] = { { 0.9f, 0 }, { 1.0f, 1 }, { 1.4f, 1 }, { 1.5f, 2 }, { 2.5f, 3 }, { 7.0f, 7 }, { 60.0f, 60 } };

    for (auto c : cases)
    {
        SxImageAlphaByte in (w, h), out (w, h);
        setBytes (in, src);
        boxBlurGray (in, out, c.r);
        EXPECT_EQ (bytesOf (out), c.o == 0 ? src : referenceBox (src, w, h, c.o)) << "r=" << c.r;
    }
}

TEST (BoxBlurGray, CornerAveragesOnlyThePixelsInside)
{
    // o = 1: the corner sees the 2 x 2 block (10 + 20 + 30 + 41) / 4 = 25.25 -> 25.
    SxImageAlphaByte in (4, 4), out (4, 4);
    setBytes (in, { 10, 20, 200, 200, 30, 41, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200 });
    boxBlurGray (in, out, 1.0f);
    EXPECT_EQ (out.pixels[0], 25);
    // Centre (1, 1) sees the full 3 x 3: (10 + 20 + 200 + 30 + 41 + 200 + 200 * 3) / 9 = 122.33 -> 122.
    EXPECT_EQ (out.getRowPointer (1)[1], 122);
}

TEST (BoxBlurGray, InPlaceAndThreadCountDoNotChangeTheBytes)
{
    const int w = 1600, h = 700;
    const Bytes src = noise (w, h, 2);
    SxImageAlphaByte in (w, h), single (w, h), multi (w, h);
    setBytes (in, src);
    ParallelRows::setThreadLimit (1);
    boxBlurGray (in, single, 9.0f);
    ParallelRows::setThreadLimit (0);
    boxBlurGray (in, multi, 9.0f);
    EXPECT_EQ (bytesOf (multi), bytesOf (single));
    boxBlurGray (in, in, 9.0f);
    EXPECT_EQ (bytesOf (in), bytesOf (single));
}

TEST (BoxBlurGray, DifferentSizesStayInsideTheCommonArea)
{
    SxImageAlphaByte src (10, 6), dst (7, 9);
    setBytes (src, noise (10, 6, 3));
    std::fill (dst.pixels, dst.pixels + 63, (uint8_t) 99);
    boxBlurGray (src, dst, 2.0f);

    Bytes crop;
    for (int y = 0; y < 6; ++y)
        crop.insert (crop.end(), src.getRowPointer (y), src.getRowPointer (y) + 7);
    const Bytes expected = referenceBox (crop, 7, 6, 2);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ (dst.getRowPointer (y)[x], y < 6 ? expected[(size_t) y * 7 + (size_t) x] : 99) << x << "," << y;
}

//==============================================================================
TEST (BlurGrayWholeRadius, LargeRadiiTakeTwoHalfPasses)
{
    const int w = 40, h = 30;
    const Bytes src = noise (w, h, 4);
    struct Case { float r; int firstO, secondO; };
    const Case cases[] = { { 1.0f, 1, 0 }, { 2.0f, 2, 0 }, { 3.0f, 2, 2 }, { 4.0f, 2, 2 }, { 5.0f, 3, 3 }, { 6.0f, 3, 3 } };
    for (auto c : cases)
    {
        SxImageAlphaByte in (w, h), out (w, h);
        setBytes (in, src);
        blurGrayWholeRadius (in, out, c.r);
        Bytes expected = referenceBox (src, w, h, c.firstO);
        if (c.secondO > 0)
            expected = referenceBox (expected, w, h, c.secondO);
        EXPECT_EQ (bytesOf (out), expected) << "r=" << c.r;
    }
}

TEST (BlurGray, FractionalRadiusMixesTheTwoWholeRadii)
{
    const int w = 40, h = 30;
    const Bytes src = noise (w, h, 5);
    const Bytes box1 = referenceBox (src, w, h, 1);
    const Bytes box2 = referenceBox (src, w, h, 2);
    const Bytes twoPassesOf2 = referenceBox (box2, w, h, 2);

    struct Case { float r; Bytes a, b; int c; };
    const Case cases[] = {
        { 2.5f, box2, twoPassesOf2, 128 },
        { 0.4f, src, box1, 102 },
        { 1.75f, box1, box2, 192 },
        { 3.0f, twoPassesOf2, twoPassesOf2, 0 },  // whole number: the whole-radius blur alone
    };
    for (const auto& c : cases)
    {
        SxImageAlphaByte in (w, h), out (w, h);
        setBytes (in, src);
        blurGray (in, out, c.r);
        EXPECT_EQ (bytesOf (out), mix (c.a, c.b, c.c)) << "r=" << c.r;

        blurGray (in, in, c.r);
        EXPECT_EQ (bytesOf (in), bytesOf (out)) << "in place, r=" << c.r;
    }

    EXPECT_EQ (mix ({ 10 }, { 11 }, 128), Bytes { 10 });
}

TEST (BlurGray, NonPositiveRadiusCopiesAndUnequalSizesAreSafe)
{
    SxImageAlphaByte src (9, 9), dst (9, 9);
    setBytes (src, noise (9, 9, 6));
    blurGray (src, dst, 0.0f);
    EXPECT_EQ (bytesOf (dst), bytesOf (src));

    SxImageAlphaByte small (4, 3), large (12, 11);
    setBytes (large, noise (12, 11, 7));
    const Bytes before = bytesOf (large);
    blurGray (large, small, 2.5f);
    blurGray (small, large, 2.5f);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 12; ++x)
        {
            if (x >= 4 || y >= 3)
            {
                ASSERT_EQ (large.getRowPointer (y)[x], before[(size_t) y * 12 + (size_t) x]);
            }
        }
}

//==============================================================================
TEST (GaussianBlurGray, ConstantImagesStayConstantUpToTheBorders)
{
    struct Case { int w, h; double r; };
    const Case cases[] = { { 1, 1, 3.0 }, { 3, 50, 2.0 }, { 64, 48, 0.5 }, { 64, 48, 10.0 }, { 20, 20, 80.0 } };
    for (auto c : cases)
    {
        SxImageAlphaByte img (c.w, c.h);
        std::fill (img.pixels, img.pixels + c.w * c.h, (uint8_t) 173);
        gaussianBlurGray (img, c.r);
        const Bytes got = bytesOf (img);
        EXPECT_TRUE (std::all_of (got.begin(), got.end(), [] (uint8_t v) { return v == 173; }))
            << c.w << "x" << c.h << " r=" << c.r;
    }
}

TEST (GaussianBlurGray, RunWalkAndTapSumGiveTheDirectSum)
{
    // Noise takes the tap sum, blocks the run walk; stripes mix both within one image.
    const int w = 131, h = 77;
    Bytes stripes = blocks (w, h, 8);
    const Bytes busy = noise (w, h, 9);
    for (int y = 0; y < h; y += 3)
        std::copy (busy.begin() + y * w, busy.begin() + (y + 1) * w, stripes.begin() + y * w);

    for (const auto& src : { noise (w, h, 10), blocks (w, h, 11), stripes })
        for (double r : { 0.3, 1.0, 2.7, 9.5, 60.0 })
        {
            SxImageAlphaByte img (w, h);
            setBytes (img, src);
            gaussianBlurGray (img, r);
            EXPECT_EQ (bytesOf (img), referenceGaussian (src, w, h, r)) << "r=" << r;
        }
}

TEST (GaussianBlurGray, KernelsTooWideForInt32SumsStillGiveTheDirectSum)
{
    const int w = 20, h = 10;
    const Bytes src = noise (w, h, 18);
    SxImageAlphaByte img (w, h);
    setBytes (img, src);
    gaussianBlurGray (img, 30000.0);
    EXPECT_EQ (bytesOf (img), referenceGaussian (src, w, h, 30000.0));
}

TEST (GaussianBlurGray, KernelHalfWidthAndNoOpCases)
{
    // X = 1.35 r + 1, R = ceil(X) up to rounding.
    EXPECT_EQ (GrayFilters::gaussianHalfWidth (0.0), 0);
    EXPECT_EQ (GrayFilters::gaussianHalfWidth (1.0), 3);
    EXPECT_EQ (GrayFilters::gaussianHalfWidth (10.0), 15);

    SxImageAlphaByte img (10, 10);
    setBytes (img, noise (10, 10, 12));
    const Bytes before = bytesOf (img);
    for (double r : { 0.0, -2.0, std::nan ("") })
    {
        gaussianBlurGray (img, r);
        EXPECT_EQ (bytesOf (img), before);
    }
    SxImageAlphaByte empty (0, 5);
    gaussianBlurGray (empty, 3.0);
}

TEST (GaussianBlurGray, AllCoresGiveTheSingleThreadedBytes)
{
    const int w = 1200, h = 800;
    const Bytes src = blocks (w, h, 13);
    SxImageAlphaByte single (w, h), multi (w, h);
    setBytes (single, src);
    setBytes (multi, src);
    ParallelRows::setThreadLimit (1);
    gaussianBlurGray (single, 6.0);
    ParallelRows::setThreadLimit (0);
    gaussianBlurGray (multi, 6.0);
    EXPECT_EQ (bytesOf (multi), bytesOf (single));
}

//==============================================================================
TEST (SobelMagnitudeGray, MatchesOpenCvInsideWithAZeroBorder)
{
    const int w = 61, h = 43;
    const Bytes src = noise (w, h, 14);
    SxImageAlphaByte in (w, h), out (w, h);
    setBytes (in, src);
    sobelMagnitudeGray (in, out);

    const cv::Mat m (h, w, CV_8UC1, const_cast<uint8_t*> (src.data()));
    cv::Mat gx, gy;
    cv::Sobel (m, gx, CV_16S, 1, 0, 3);
    cv::Sobel (m, gy, CV_16S, 0, 1, 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const int expected = border ? 0 : std::min (255, std::abs (gx.at<int16_t> (y, x)) + std::abs (gy.at<int16_t> (y, x)));
            ASSERT_EQ (out.getRowPointer (y)[x], expected) << x << "," << y;
        }

    sobelMagnitudeGray (in, in);
    EXPECT_EQ (bytesOf (in), bytesOf (out));
}

TEST (SobelMagnitudeGray, FlatIsZeroAndAStepLightsBothSides)
{
    SxImageAlphaByte in (8, 5), out (8, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 4; x < 8; ++x)
            in.getRowPointer (y)[x] = 255;
    sobelMagnitudeGray (in, out);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 7; ++x)
            EXPECT_EQ (out.getRowPointer (y)[x], (x == 3 || x == 4) ? 255 : 0) << x << "," << y;

    SxImageAlphaByte flat (6, 6), small (3, 2), wide (10, 10);
    std::fill (flat.pixels, flat.pixels + 36, (uint8_t) 90);
    sobelMagnitudeGray (flat, out);
    sobelMagnitudeGray (wide, small); // unequal sizes: the common 3 x 2 area, all border
    EXPECT_EQ (bytesOf (small), Bytes (6, 0));
}

//==============================================================================
TEST (ThresholdBand, BandBecomesValueAndTheRestItsComplement)
{
    struct Case { int low, high; uint8_t value; int firstInside, lastInside; };
    const Case cases[] = {
        { 0, 27, 255, 0, 26 },
        { 100, 101, 255, 100, 100 },
        { 200, 256, 255, 200, 255 },
        { -5, 300, 0, 0, 255 },
        { 50, 50, 255, 1, 0 },   // empty band
        { 256, 300, 255, 1, 0 },
        { 40, 90, 17, 40, 89 },
    };
    for (auto c : cases)
    {
        SxImageAlphaByte img (16, 16);
        for (int v = 0; v < 256; ++v)
            img.pixels[v] = (uint8_t) v;
        thresholdBand (img, c.low, c.high, c.value);
        for (int v = 0; v < 256; ++v)
            ASSERT_EQ (img.pixels[v], (v >= c.firstInside && v <= c.lastInside) ? c.value : 255 - c.value)
                << "band " << c.low << ".." << c.high << " v=" << v;
    }
}

//==============================================================================
TEST (AdjustLevels, BlackWhiteAndTheCurveBetween)
{
    SxImageAlphaByte img (16, 16);
    for (int v = 0; v < 256; ++v)
        img.pixels[v] = (uint8_t) v;
    adjustLevels (img, 50, 95, 1.0f, 1.0f);

    const int at72 = (int) (std::pow (124.0f / 255.0f, 8.65f) * 255.0f);
    struct Case { int v, expected; };
    const Case cases[] = { { 0, 0 }, { 1, 0 }, { 50, 0 }, { 72, at72 }, { 94, (int) (std::pow (249.0f / 255.0f, 8.65f) * 255.0f) },
                           { 95, 255 }, { 255, 255 } };
    for (auto c : cases)
        EXPECT_EQ (img.pixels[c.v], c.expected) << "v=" << c.v;
    for (int v = 51; v < 95; ++v)
        EXPECT_LE (img.pixels[v], img.pixels[v + 1]);
}

TEST (AdjustLevels, AmountMixesWithTheInputAndZeroStaysZero)
{
    SxImageAlphaByte img (16, 16);
    for (int v = 0; v < 256; ++v)
        img.pixels[v] = (uint8_t) v;
    adjustLevels (img, 100, 101, 1.0f, 0.5f);
    EXPECT_EQ (img.pixels[0], 0);                  // would be trunc(0 * 0.5 + 0 * 0.5) anyway
    EXPECT_EQ (img.pixels[60], 30);                // 0 * 0.5 + 60 * 0.5
    EXPECT_EQ (img.pixels[200], 227);              // 255 * 0.5 + 200 * 0.5 = 227.5

    SxImageAlphaByte zeros (4, 4);
    adjustLevels (zeros, -10, 20, 1.0f, 1.0f);     // the table sends 0 to 255, the pixel stays 0
    EXPECT_EQ (bytesOf (zeros), Bytes (16, 0));
}

//==============================================================================
TEST (ContrastCurve, ZeroCopiesAndContrastBendsAboutMiddleGray)
{
    SxImageAlphaByte ramp (16, 16), out (16, 16);
    for (int v = 0; v < 256; ++v)
        ramp.pixels[v] = (uint8_t) v;
    contrastCurve (out, ramp, 0.0f, 0.0f);
    EXPECT_EQ (bytesOf (out), bytesOf (ramp));

    // c = 0.75: exponent 4.
    contrastCurve (out, ramp, 0.0f, 0.75f);
    auto low = [] (int v) { return (int) (0.5 * std::pow (2.0 * (double) ((float) v / 255.0f), 4.0) * 255.0); };
    auto high = [] (int v) { return (int) ((1.0 - 0.5 * std::pow (2.0 * (1.0 - v / 255.0), 4.0)) * 255.0); };
    for (int v : { 0, 10, 64, 127 })
        EXPECT_EQ (out.pixels[v], low (v)) << v;
    for (int v : { 128, 200, 255 })
        EXPECT_EQ (out.pixels[v], high (v)) << v;

    // c >= 1 is held at 0.99 (exponent 100): the ramp snaps to 0 below the middle and just under
    // 255 above it (1 - 0.5 x^100 truncates to 254); only 255 itself stays 255.
    contrastCurve (out, ramp, 0.0f, 1.5f);
    EXPECT_EQ (out.pixels[100], 0);
    EXPECT_EQ (out.pixels[160], 254);
    EXPECT_EQ (out.pixels[255], 255);

    // Brightness 0.5 lifts v to trunc((1 - v / 255) * 127.5 + v): 0 -> 127, 255 -> 255.
    contrastCurve (out, ramp, 0.5f, 0.0f);
    EXPECT_EQ (out.pixels[0], 127);
    EXPECT_EQ (out.pixels[255], 255);
}

TEST (ContrastCurve, InPlaceAndUnequalSizes)
{
    SxImageAlphaByte img (20, 10), copy (20, 10);
    setBytes (img, noise (20, 10, 15));
    contrastCurve (copy, img, 0.0f, 0.75f);
    contrastCurve (img, img, 0.0f, 0.75f);
    EXPECT_EQ (bytesOf (img), bytesOf (copy));

    // The curve used to walk the source's size with the destination's row length.
    SxImageAlphaByte big (30, 20), narrow (5, 40);
    std::fill (narrow.pixels, narrow.pixels + 200, (uint8_t) 7);
    contrastCurve (narrow, big, 0.0f, 0.0f);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ (narrow.getRowPointer (y)[x], y < 20 ? 0 : 7) << x << "," << y;
}

TEST (GrayFilters, NonFiniteArgumentsAreHarmless)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    SxImageAlphaByte src (9, 7), dst (9, 7);
    setBytes (src, noise (9, 7, 16));
    for (float r : { nan, inf, -inf, 1.0e30f })
    {
        boxBlurGray (src, dst, r);
        blurGrayWholeRadius (src, dst, r);
        blurGray (src, dst, r);
        gaussianBlurGray (dst, (double) r);
    }
    // Every radius beyond the image averages the whole image.
    blurGray (src, dst, 1.0e30f);
    const Bytes whole = bytesOf (dst);
    EXPECT_TRUE (std::all_of (whole.begin(), whole.end(), [&] (uint8_t v) { return v == whole[0]; }));

    adjustLevels (dst, 10, 200, nan, nan);
    contrastCurve (dst, src, nan, nan);
    EXPECT_EQ (bytesOf (dst), bytesOf (src)); // NaN brightness and contrast change nothing
}

TEST (GrayFilters, EmptyImagesAreLeftAlone)
{
    SxImageAlphaByte empty (0, 5), flat (5, 0), some (4, 4);
    setBytes (some, noise (4, 4, 17));
    const Bytes before = bytesOf (some);
    for (auto* image : { &empty, &flat })
    {
        boxBlurGray (*image, some, 2.0f);
        blurGrayWholeRadius (*image, some, 4.0f);
        blurGray (*image, some, 2.5f);
        sobelMagnitudeGray (*image, some);
        contrastCurve (some, *image, 0.2f, 0.5f);
        gaussianBlurGray (*image, 3.0);
        thresholdBand (*image, 0, 10, 255);
        adjustLevels (*image, 10, 20, 1.0f, 1.0f);
        blurGray (some, *image, 2.5f);
    }
    EXPECT_EQ (bytesOf (some), before);
}
