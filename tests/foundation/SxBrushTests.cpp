#include "SxBrush.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    int valueAt (const SxImageAlphaByte& img, int x, int y) { return img.getRowPointer (y)[x]; }
}

TEST (SxBrush, StampSizeFollowsDiameter)
{
    struct Case { float diameter; int side; };
    const Case cases[] = { { 0.2f, 1 }, { 10.0f, 10 }, { 10.01f, 11 }, { 40.0f, 40 }, { 0.0f, 1 }, { -5.0f, 1 } };
    for (const auto& c : cases)
    {
        SxBrush brush;
        brush.diameter = c.diameter;
        brush.buildStamp();
        EXPECT_EQ (brush.stamp->width, c.side) << c.diameter;
        EXPECT_EQ (brush.stamp->height, c.side) << c.diameter;
    }
}

TEST (SxBrush, DefaultStampFallsSmoothlyFromTheCentre)
{
    SxBrush brush;
    const auto& stamp = *brush.stamp;
    ASSERT_EQ (stamp.width, 40);
    EXPECT_EQ (valueAt (stamp, 20, 20), 127); // f = 0.5 at the centre

    // Symmetric about the centre, falling along a ray, 0 from distance 20 on.
    int previous = 255;
    for (int x = 20; x < 40; ++x)
    {
        const int v = valueAt (stamp, x, 20);
        EXPECT_LE (v, previous) << x;
        EXPECT_EQ (v, valueAt (stamp, 40 - x, 20)) << x;
        EXPECT_EQ (v, valueAt (stamp, 20, x)) << x;
        previous = v;
    }
    EXPECT_EQ (valueAt (stamp, 0, 20), 0);
    EXPECT_EQ (valueAt (stamp, 0, 0), 0);
    EXPECT_GT (valueAt (stamp, 30, 20), 0);
}

TEST (SxBrush, HardDiscAtZeroSoftness)
{
    SxBrush brush;
    brush.softness = 0.0f;
    brush.strength = 0.8f;
    brush.buildStamp();
    const auto& stamp = *brush.stamp;
    const int full = (int) (0.8f * 255.0f);
    for (int y = 0; y < stamp.height; ++y)
        for (int x = 0; x < stamp.width; ++x)
        {
            const float d = std::sqrt ((float) ((x - 20) * (x - 20) + (y - 20) * (y - 20)));
            EXPECT_EQ (valueAt (stamp, x, y), d < 20.0f ? full : 0) << x << "," << y;
        }
}

TEST (SxBrush, TexturedStamp)
{
    SxBrush brush;
    brush.texture = SxRef<SxImageAlphaByte> (new SxImageAlphaByte (64, 32));
    for (int i = 0; i < 64 * 32; ++i)
        brush.texture->pixels[i] = 200;
    brush.strength = 1.0f;
    brush.softness = 0.5f;
    brush.buildStamp();
    ASSERT_EQ (brush.stamp->width, 40);
    ASSERT_EQ (brush.stamp->height, 20);
    // Inside the inner radius a full-strength textured brush keeps the texture's values.
    EXPECT_EQ (valueAt (*brush.stamp, 20, 10), 200);
    EXPECT_EQ (valueAt (*brush.stamp, 0, 0), 0);

    // A texture without pixels is ignored rather than divided by.
    brush.texture = SxRef<SxImageAlphaByte> (new SxImageAlphaByte (0, 5));
    brush.buildStamp();
    EXPECT_EQ (brush.stamp->height, 40);
}

TEST (SxBrush, ScaledStampCache)
{
    SxBrush brush;
    EXPECT_EQ (brush.getScaledStamp (1.0f), brush.stamp.get());

    SxImageAlphaByte* half = brush.getScaledStamp (0.5f);
    ASSERT_NE (half, nullptr);
    EXPECT_NE (half, brush.stamp.get());
    EXPECT_EQ (half->width, 20);
    EXPECT_EQ (half->height, 20);
    EXPECT_EQ (brush.getScaledStamp (0.5f), half); // the same cached object
    EXPECT_EQ (brush.getStampValue (10, 10), valueAt (*half, 10, 10));
    EXPECT_EQ (brush.getStampValue (-1, 3), 0);
    EXPECT_EQ (brush.getStampValue (20, 0), 0);

    SxImageAlphaByte* tiny = brush.getScaledStamp (0.01f);
    EXPECT_EQ (tiny->width, 1);
    EXPECT_EQ (tiny->height, 1);

    // Absurd scales stay bounded instead of allocating without limit.
    EXPECT_LE (brush.getScaledStamp (1.0e9f)->width, SxBrush::maxStampSide);
    EXPECT_EQ (brush.getScaledStamp (std::nanf (""))->width, 1);
}

TEST (SxBrush, RebuildDropsTheStaleScaledCopy)
{
    SxBrush brush;
    const int before = valueAt (*brush.getScaledStamp (0.5f), 10, 10);
    brush.strength = 1.0f;
    brush.buildStamp();
    const int after = valueAt (*brush.getScaledStamp (0.5f), 10, 10);
    EXPECT_GT (after, before);
}

TEST (SxBrush, AbsurdDiameterKeepsTheOldStamp)
{
    SxBrush brush;
    for (float diameter : { 1.0e9f, INFINITY, NAN })
    {
        brush.diameter = diameter;
        brush.buildStamp();
        ASSERT_TRUE (brush.stamp);
        EXPECT_EQ (brush.stamp->width, 40);
    }
}
