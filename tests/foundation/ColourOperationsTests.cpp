#include "ColourOperations.h"
#include "ImageTestUtils.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <array>
#include <cstring>
#include <random>

namespace
{
    using Bytes = sxtest::PixelBytes;
    using sxtest::fillRandom;
    using sxtest::pixelAt;
    using sxtest::sameBytes;

    SxImageRgbaBytes onePixel (Bytes p)
    {
        SxImageRgbaBytes image (1, 1);
        std::memcpy (image.pixels, p.data(), 4);
        return image;
    }

    /** Runs op once on one thread and once on all cores and checks the bytes agree. */
    template <typename Op>
    void expectSameOnAllCores (const SxImageRgbaBytes& input, Op op)
    {
        SxImageRgbaBytes serial (input), parallel (input);
        ParallelRows::setThreadLimit (1);
        op (serial);
        ParallelRows::setThreadLimit (0);
        op (parallel);
        EXPECT_TRUE (sameBytes (serial, parallel));
    }
}

TEST (ColourOperations, RgbToHslGivesTheStatedBytes)
{
    struct Case { Bytes rgb; int h, l, s; };
    const Case cases[] = {
        { { 77, 255, 0, 0 }, 0, 127, 255 },
        { { 77, 0, 255, 0 }, 85, 127, 255 },
        { { 77, 0, 0, 255 }, 170, 127, 255 },
        { { 77, 128, 128, 128 }, 0, 128, 0 },
        { { 77, 255, 255, 255 }, 0, 255, 0 },
        { { 77, 0, 0, 0 }, 0, 0, 0 },
        { { 77, 255, 128, 128 }, 0, 191, 253 },   // upper-half denominator 511 - 383 = 128
        { { 77, 255, 60, 0 }, 10, 127, 255 },
        { { 77, 255, 0, 1 }, 254, 127, 255 },     // hue just below the wrap
    };
    for (const auto& c : cases)
    {
        Bytes p = c.rgb;
        rgbToHsl (p.data());
        SCOPED_TRACE (testing::Message() << (int) c.rgb[1] << "," << (int) c.rgb[2] << "," << (int) c.rgb[3]);
        EXPECT_EQ (p[0], 77);
        EXPECT_EQ (p[1], c.h);
        EXPECT_EQ (p[2], c.l);
        EXPECT_EQ (p[3], c.s);
    }
}

TEST (ColourOperations, UpperHalfSaturationNeverReaches255)
{
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 7)
            {
                Bytes p { 255, (uint8_t) r, (uint8_t) g, (uint8_t) b };
                rgbToHsl (p.data());
                if (p[2] >= 128)
                {
                    ASSERT_LE (p[3], 254);
                }
            }
}

TEST (ColourOperations, HslToRgbWithoutSaturationIsGray)
{
    for (int h : { 0, 42, 85, 170, 255 })
        for (int l : { 0, 1, 127, 128, 255 })
        {
            Bytes p { 9, (uint8_t) h, (uint8_t) l, 0 };
            hslToRgb (p.data());
            EXPECT_EQ (p, (Bytes { 9, (uint8_t) l, (uint8_t) l, (uint8_t) l }));
        }
}

TEST (ColourOperations, HslRoundTripStaysClose)
{
    int worst = 0;
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5)
            {
                Bytes p { 255, (uint8_t) r, (uint8_t) g, (uint8_t) b };
                rgbToHsl (p.data());
                hslToRgb (p.data());
                worst = std::max ({ worst, std::abs (p[1] - r), std::abs (p[2] - g), std::abs (p[3] - b) });
            }
    // Bytes truncate: one hue unit is 255 / 42.5 = 6 channel steps on the ramp's slope.
    EXPECT_LE (worst, 7);
}

TEST (ColourOperations, ShiftHueWrapsOn256AndLeavesADistinctSourceAlone)
{
    // (255, 60, 0) has hue 10; shifting by -50 stores the low byte of -40, 216.
    const Bytes orange { 200, 255, 60, 0 };
    Bytes expected { 200, 216, 127, 255 };
    hslToRgb (expected.data());

    auto source = onePixel (orange);
    SxImageRgbaBytes destination (1, 1);
    shiftHue (source, destination, -0.5f);
    EXPECT_EQ (pixelAt (destination, 0, 0), expected);
    EXPECT_EQ (pixelAt (source, 0, 0), orange);

    shiftHue (source, source, -0.5f);
    EXPECT_EQ (pixelAt (source, 0, 0), expected);
}

TEST (ColourOperations, ShiftHueOnMismatchedSizesTouchesOnlyTheSharedArea)
{
    SxImageRgbaBytes source (3, 2), destination (2, 3);
    fillRandom (source, 3);
    destination.fill (0x11223344);
    shiftHue (source, destination, 0.3f);
    EXPECT_EQ (destination.getPixel (0, 2), 0x11223344u);
    EXPECT_NE (destination.getPixel (0, 0), 0x11223344u);
}

TEST (ColourOperations, LabOfWhiteAndBlack)
{
    float record[4] = { -7.0f, 0.0f, 0.0f, 0.0f };
    rgbToLab (PixelMath::makeWord (255, 255, 255, 255), record);
    EXPECT_EQ (record[0], -7.0f);
    EXPECT_NEAR (record[1], 100.0f, 0.01f);
    EXPECT_NEAR (record[2], 0.0f, 0.02f);
    EXPECT_NEAR (record[3], 0.0f, 0.02f);

    rgbToLab (PixelMath::makeWord (255, 0, 0, 0), record);
    EXPECT_NEAR (record[1], 0.0f, 0.001f);
    EXPECT_NEAR (record[2], 0.0f, 0.001f);
    EXPECT_NEAR (record[3], 0.0f, 0.001f);
}

TEST (ColourOperations, LabAgreesWithOpenCv)
{
    for (int r = 0; r < 256; r += 51)
        for (int g = 0; g < 256; g += 51)
            for (int b = 0; b < 256; b += 51)
            {
                float record[4] {};
                rgbToLab (PixelMath::makeWord (255, (uint8_t) r, (uint8_t) g, (uint8_t) b), record);
                cv::Mat rgb (1, 1, CV_32FC3, cv::Scalar (r / 255.0, g / 255.0, b / 255.0)), lab;
                cv::cvtColor (rgb, lab, cv::COLOR_RGB2Lab);
                const auto v = lab.at<cv::Vec3f> (0, 0);
                SCOPED_TRACE (testing::Message() << r << "," << g << "," << b);
                EXPECT_NEAR (record[1], v[0], 0.3f);
                EXPECT_NEAR (record[2], v[1], 0.5f);
                EXPECT_NEAR (record[3], v[2], 0.5f);
            }
}

TEST (ColourOperations, DuotoneIdentities)
{
    SxImageRgbaBytes image (17, 9);
    fillRandom (image, 1);
    const SxImageRgbaBytes original (image);
    colorizeDuotone (image, 0x3080C0FF, 0.0f);
    EXPECT_TRUE (sameBytes (image, original));

    // Luminance 0 maps to black and 1 to white whatever the colour; alpha stays.
    auto extremes = SxImageRgbaBytes (2, 1);
    extremes.setPixel (PixelMath::makeWord (40, 0, 0, 0), 0, 0);
    extremes.setPixel (PixelMath::makeWord (90, 255, 255, 255), 1, 0);
    colorizeDuotone (extremes, 0x3080C0FF, 1.0f);
    EXPECT_EQ (extremes.getPixel (0, 0), PixelMath::makeWord (40, 0, 0, 0));
    EXPECT_EQ (extremes.getPixel (1, 0), PixelMath::makeWord (90, 255, 255, 255));

    // Mid-gray (just below 0.5) lands next to the colour itself.
    auto mid = onePixel ({ 255, 127, 127, 128 });
    colorizeDuotone (mid, PixelMath::makeWord (255, 200, 100, 50), 1.0f);
    const auto p = pixelAt (mid, 0, 0);
    EXPECT_NEAR (p[1], 200, 1);
    EXPECT_NEAR (p[2], 100, 1);
    EXPECT_NEAR (p[3], 50, 1);
}

TEST (ColourOperations, TintIdentitiesAndFullTint)
{
    SxImageRgbaBytes image (13, 7);
    fillRandom (image, 2);
    const SxImageRgbaBytes original (image);

    SxImageAlphaByte zeroMask (13, 7), fullMask (13, 7);
    std::memset (fullMask.pixels, 255, 13 * 7);
    tintThroughMask (image, zeroMask, PixelMath::makeWord (255, 10, 20, 30));
    EXPECT_TRUE (sameBytes (image, original));
    tintThroughMask (image, fullMask, PixelMath::makeWord (0, 10, 20, 30));
    EXPECT_TRUE (sameBytes (image, original));

    // Full mask and colour alpha: weight (65025 >> 8) / 255 = 254 / 255 of the multiply.
    auto pixel = onePixel ({ 200, 255, 128, 0 });
    SxImageAlphaByte one (1, 1);
    one.pixels[0] = 255;
    tintThroughMask (pixel, one, PixelMath::makeWord (255, 128, 255, 255));
    const auto p = pixelAt (pixel, 0, 0);
    EXPECT_NEAR (p[0], 200, 1);
    EXPECT_EQ (p[1], 127);
    EXPECT_EQ (p[2], 127);
    EXPECT_EQ (p[3], 0);
}

TEST (ColourOperations, SaturationScaling)
{
    // (150, 100, 100): hue 0, lightness 125, saturation 51.
    struct Case { float amount; Bytes in, out; };
    const Case cases[] = {
        { 0.0f, { 9, 150, 100, 100 }, { 9, 150, 100, 100 } },
        { 0.2f, { 9, 150, 100, 100 }, { 9, 155, 95, 95 } },     // k = 51: saturation 61
        { 1.0f, { 9, 150, 100, 100 }, { 9, 175, 75, 75 } },     // k = 255: saturation 102
        { -1.0f, { 9, 150, 100, 100 }, { 9, 125, 125, 125 } },  // no saturation left
        { 1.0f, { 9, 255, 0, 0 }, { 9, 255, 1, 1 } },           // already at the top
        { 5.0f, { 9, 150, 100, 100 }, { 9, 175, 75, 75 } },     // k limited to 255
        { 1.0f, { 9, 80, 80, 80 }, { 9, 80, 80, 80 } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.amount);
        auto source = onePixel (c.in);
        SxImageRgbaBytes destination (1, 1);
        adjustHueSaturationLightness (source, destination, c.amount);
        EXPECT_EQ (pixelAt (destination, 0, 0), c.out);
        EXPECT_EQ (pixelAt (source, 0, 0), c.in);
        adjustHueSaturationLightness (source, source, c.amount);
        EXPECT_EQ (pixelAt (source, 0, 0), c.out);
    }
}

TEST (ColourOperations, ImageOperationsGiveTheSameBytesOnAllCores)
{
    SxImageRgbaBytes input (1201, 403);
    fillRandom (input, 7);
    SxImageAlphaByte mask (1201, 403);
    std::mt19937 rng (8);
    for (int i = 0; i < 1201 * 403; ++i)
        mask.pixels[i] = (uint8_t) rng();

    expectSameOnAllCores (input, [] (SxImageRgbaBytes& im) { colorizeDuotone (im, 0x204060C0, 0.6f); });
    expectSameOnAllCores (input, [] (SxImageRgbaBytes& im) { shiftHue (im, im, 0.37f); });
    expectSameOnAllCores (input, [&] (SxImageRgbaBytes& im) { tintThroughMask (im, mask, 0x8040A0B0); });
    expectSameOnAllCores (input, [] (SxImageRgbaBytes& im) { adjustHueSaturationLightness (im, im, 0.36f); });
}
