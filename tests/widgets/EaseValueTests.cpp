#include "EaseValue.h"

#include <gtest/gtest.h>

#include <cmath>

TEST (EaseValueTest, EveryCurveStartsAtBeginPassesItsMidpointAndEndsAtBeginPlusChange)
{
    const float b = 10.0f, c = 100.0f, d = 2.0f;
    const float sine45 = std::sqrt (0.5f), circle = std::sqrt (0.75f);

    // The value at t = d / 2 as a fraction of the change.
    struct Case { int type; float middle; };
    const Case cases[] = {
        { 0, 1.0f - sine45 },   { 1, sine45 },               { 2, 0.5f },
        { 3, 0.25f },           { 4, 0.75f },                { 5, 0.5f },
        { 6, 1.0f - circle },   { 7, circle },               { 8, 0.5f },
        { 9, -0.0876975f },     { 10, 1.0876975f },          { 11, 0.5f },
        { 12, -1.0f / 64.0f },  { 13, 1.0f + 1.0f / 64.0f }, { 14, 0.5f },
        { 15, 0.234375f },      { 16, 0.765625f },           { 17, 0.5f },
    };

    for (const auto& [type, middle] : cases)
    {
        EXPECT_NEAR (easeValue (type, 0.0f, b, c, d), b, 1.0e-4f) << "type " << type;
        EXPECT_NEAR (easeValue (type, d / 2.0f, b, c, d), b + c * middle, 1.0e-3f) << "type " << type;
        EXPECT_NEAR (easeValue (type, d, b, c, d), b + c, 1.0e-4f) << "type " << type;
    }
}

TEST (EaseValueTest, ElasticEndsAreExactAndTheInOutCurvesPassHalfWayAtTheMiddle)
{
    const float b = 3.7f, c = -41.3f, d = 0.7f;

    for (const int type : { 12, 13, 14 })
    {
        EXPECT_EQ (easeValue (type, 0.0f, b, c, d), b) << "type " << type;
        EXPECT_EQ (easeValue (type, d, b, c, d), b + c) << "type " << type;
    }

    for (const int type : { 5, 8 })
    {
        EXPECT_EQ (easeValue (type, 0.0f, 0.0f, 1.0f, 1.0f), 0.0f);
        EXPECT_EQ (easeValue (type, 0.5f, 0.0f, 1.0f, 1.0f), 0.5f);
        EXPECT_EQ (easeValue (type, 1.0f, 0.0f, 1.0f, 1.0f), 1.0f);
        EXPECT_LT (easeValue (type, 0.25f, 0.0f, 1.0f, 1.0f), 0.25f);   // slow start
        EXPECT_GT (easeValue (type, 0.75f, 0.0f, 1.0f, 1.0f), 0.75f);   // slow end
    }
}

TEST (EaseValueTest, UnknownTypesGiveZero)
{
    for (const int type : { -1, 18, 1000 })
    {
        EXPECT_EQ (easeValue (type, 0.0f, 5.0f, 10.0f, 1.0f), 0.0f);
        EXPECT_EQ (easeValue (type, 0.5f, 5.0f, 10.0f, 1.0f), 0.0f);
        EXPECT_EQ (easeValue (type, 1.0f, 5.0f, 10.0f, 1.0f), 0.0f);
        EXPECT_FALSE (isEasingType (type));
    }

    EXPECT_TRUE (isEasingType (0));
    EXPECT_TRUE (isEasingType (17));
}

TEST (EaseValueTest, BounceTouchesGroundAtItsThresholdsAndTakesTheRightArcOnEachSide)
{
    // Bounce out over (0, 1, 1) is the bounce itself: four arcs that meet 1 at 1/2.75,
    // 2/2.75 and 2.5/2.75 and peak at 0.75, 0.9375 and 0.984375 between them.
    struct Case { float x, bounce; };
    const Case cases[] = {
        { 0.2f, 0.3025f },
        { 0.36f, 0.9801f },             { 0.36363637f, 1.0f },  { 0.37f, 0.98280625f },
        { 0.54545456f, 0.75f },
        { 0.72f, 0.9804f },             { 0.72727275f, 1.0f },  { 0.73f, 0.99630625f },
        { 0.8181818f, 0.9375f },
        { 0.9f, 0.988125f },            { 0.90909094f, 1.0f },  { 0.92f, 0.9934f },
        { 0.95454544f, 0.984375f },     { 1.0f, 1.0f },
    };

    for (const auto& [x, bounce] : cases)
    {
        EXPECT_NEAR (easeValue (16, x, 0.0f, 1.0f, 1.0f), bounce, 2.0e-6f) << "x " << x;
        EXPECT_NEAR (easeValue (15, 1.0f - x, 0.0f, 1.0f, 1.0f), 1.0f - bounce, 2.0e-6f) << "x " << x;
    }
}
