#include "SxPlacement.h"
#include "SxPropertySet.h"
#include "SxSegment.h"
#include "SxTransform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    SxPoint pt (float x, float y) { return SxPoint { x, y }; }

    SxTransform makeTransform (float cx, float cy, float w, float h, double angle = 0.0)
    {
        SxTransform t;
        t.center = pt (cx, cy);
        t.size = pt (w, h);
        t.orientation = angle;
        t.updateQuad();
        return t;
    }

    void expectNear (const SxPoint& p, float x, float y, float tolerance = 1.0e-4f)
    {
        EXPECT_NEAR (p.x, x, tolerance);
        EXPECT_NEAR (p.y, y, tolerance);
    }
}

TEST (SxTransform, DefaultCornersAndUnitSquareMapping)
{
    const SxTransform t;
    expectNear (t.corners[0], -50, -50);
    expectNear (t.corners[1], -50, 50);
    expectNear (t.corners[2], 50, -50);
    expectNear (t.corners[3], 50, 50);
    EXPECT_EQ (t.mapOrigin, t.corners[0]);
    EXPECT_FLOAT_EQ (t.mapInvLength, 0.01f);
    EXPECT_FLOAT_EQ (t.mapInvHeight, 0.01f);
    EXPECT_NEAR (t.mapShear, 0.0f, 1.0e-7f);
    EXPECT_NEAR (t.mapPerspectiveU, 0.0f, 1.0e-6f);
    EXPECT_NEAR (t.mapPerspectiveV, 0.0f, 1.0e-6f);

    struct Case { float x, y, u, v; };
    const Case cases[] = { { 0, 0, 0.5f, 0.5f }, { -50, -50, 0, 0 }, { 50, -50, 1, 0 }, { -50, 50, 0, 1 }, { 25, 0, 0.75f, 0.5f } };
    for (const auto& c : cases)
    {
        float x = c.x, y = c.y;
        t.mapToUnitSquare (x, y);
        EXPECT_NEAR (x, c.u, 1.0e-6f) << c.x << "," << c.y;
        EXPECT_NEAR (y, c.v, 1.0e-6f) << c.x << "," << c.y;
        t.mapFromUnitSquare (x, y);
        EXPECT_NEAR (x, c.x, 1.0e-4f);
        EXPECT_NEAR (y, c.y, 1.0e-4f);
    }

    float u = 1, v = 1;
    t.mapFromUnitSquare (u, v);
    EXPECT_FLOAT_EQ (u, 50);
    EXPECT_FLOAT_EQ (v, 50);
}

TEST (SxTransform, RotationPlacesCornersAndMapsRoundTrip)
{
    const auto quarter = makeTransform (0, 0, 100, 100, juce::MathConstants<double>::halfPi);
    expectNear (quarter.corners[0], -50, 50);
    expectNear (quarter.corners[2], -50, -50);

    // Any rotation: corners map to the unit square's corners and points come back.
    for (double angle : { 0.3, -1.2, 2.9 })
    {
        const auto t = makeTransform (30, -20, 80, 40, angle);
        const float expected[4][2] = { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 } };
        for (size_t i = 0; i < 4; ++i)
        {
            float x = t.corners[i].x, y = t.corners[i].y;
            t.mapToUnitSquare (x, y);
            EXPECT_NEAR (x, expected[i][0], 1.0e-5f) << angle << " corner " << i;
            EXPECT_NEAR (y, expected[i][1], 1.0e-5f) << angle << " corner " << i;
        }
        float x = 41.5f, y = -13.0f;
        t.mapToUnitSquare (x, y);
        t.mapFromUnitSquare (x, y);
        EXPECT_NEAR (x, 41.5f, 1.0e-3f);
        EXPECT_NEAR (y, -13.0f, 1.0e-3f);
    }
}

TEST (SxTransform, RectangleWithoutAreaCoversNothing)
{
    // What a placement loaded from a missing key looks like.
    for (const auto& size : { pt (0, 0), pt (0, 50), pt (50, 0) })
    {
        const auto t = makeTransform (10, 10, size.x, size.y);
        for (float f : { t.mapInvLength, t.mapInvHeight, t.mapShear, t.mapPerspectiveU, t.mapPerspectiveV, t.mapAxis[0], t.mapAxis[1] })
            EXPECT_TRUE (std::isfinite (f));

        float x = 10, y = 10;
        t.mapToUnitSquare (x, y);
        EXPECT_EQ (x, 0.0f);
        EXPECT_EQ (y, 0.0f);
        EXPECT_EQ (t.getCoverageAt (pt (10, 10), false), 0.0f);
        EXPECT_EQ (t.getCoverageAt (pt (10, 10), true), 0.0f);
        EXPECT_FALSE (t.containsPoint (pt (10, 10)));
    }
}

TEST (SxTransform, BoundsTruncateCornersAndReachZero)
{
    SxTransform t;
    t.corners = { pt (10.0f, 5.0f), pt (10.0f, 7.5f), pt (20.0f, 5.0f), pt (20.0f, 7.5f) };
    EXPECT_EQ (t.getBounds(), (RectBounds { 10, 5, 19, 6 }));

    // The box always reaches 0 from below: negative corners give right = -1.
    EXPECT_EQ (makeTransform (-100, -100, 20, 20).getBounds(), (RectBounds { -110, -110, -1, -1 }));
}

TEST (SxTransform, HardAndSoftCoverage)
{
    const auto t = makeTransform (50, 50, 100, 100); // unit square over 0..100
    struct Case { float x, y, hard, soft; };
    const Case cases[] = {
        { 50, 50, 1, 1 },
        { 0, 0, 1, 1 },
        { 100, 50, 0, 0 },      // u = 1 exactly: outside hard, and the soft fade starts after it
        { -0.5f, 50, 0, 0.5f }, // half a pixel left
        { 100.25f, 50, 0, 0.75f },
        { -0.5f, -0.5f, 0, 0.25f },
        { -3, 50, 0, 0 },
    };
    for (const auto& c : cases)
    {
        EXPECT_NEAR (t.getCoverageAt (pt (c.x, c.y), false), c.hard, 1.0e-5f) << c.x << "," << c.y;
        EXPECT_NEAR (t.getCoverageAt (pt (c.x, c.y), true), c.soft, 1.0e-5f) << c.x << "," << c.y;
        EXPECT_EQ (t.containsPoint (pt (c.x, c.y)), c.soft > 0) << c.x << "," << c.y;
    }
}

TEST (SxTransform, HandlePoints)
{
    const auto t = makeTransform (0, 0, 100, 60);
    const float expected[8][2] = { { -50, -30 }, { -50, 30 }, { 50, -30 }, { 50, 30 },
                                   { 0, -30 }, { 0, 30 }, { -50, 0 }, { 50, 0 } };
    for (int h = 0; h < 8; ++h)
    {
        const auto p = t.getHandlePoint (h);
        expectNear (p, expected[h][0], expected[h][1]);
        EXPECT_EQ (p.weight, 1.0f);
    }
}

TEST (SxTransform, DragHandles)
{
    struct Case
    {
        const char* name;
        int handle;
        SxPoint target;
        bool constrain, fromCentre;
        SxPoint minimum;
        float cx, cy, w, h;
    };
    const Case cases[] = {
        { "top edge", 4, pt (0, -80), false, false, pt (1, 1), 0, -15, 100, 130 },
        { "top edge, both edges", 4, pt (0, -80), true, false, pt (1, 1), 0, 0, 100, 160 },
        { "bottom edge", 5, pt (0, 70), false, false, pt (1, 1), 0, 10, 100, 120 },
        { "right edge", 7, pt (90, 33), false, false, pt (1, 1), 20, 0, 140, 100 },
        { "left edge below minimum", 6, pt (60, 0), false, false, pt (50, 50), 25, 0, 50, 100 },
        { "bottom-right corner", 3, pt (110, 70), false, false, pt (1, 1), 30, 10, 160, 120 },
        { "bottom-right from centre", 3, pt (110, 70), false, true, pt (1, 1), 0, 0, 160, 120 },
        { "bottom-right constrained", 3, pt (110, 70), true, false, pt (1, 1), 30, 30, 160, 160 },
        { "top-left corner", 0, pt (-70, -90), false, false, pt (1, 1), -10, -20, 120, 140 },
        { "corner below minimum", 3, pt (-40, -45), false, false, pt (20, 30), -40, -35, 20, 30 },
    };
    for (const auto& c : cases)
    {
        auto t = makeTransform (0, 0, 100, 100);
        t.dragHandle (c.handle, c.target, c.constrain, c.fromCentre, c.minimum);
        EXPECT_NEAR (t.center.x, c.cx, 1.0e-4f) << c.name;
        EXPECT_NEAR (t.center.y, c.cy, 1.0e-4f) << c.name;
        EXPECT_NEAR (t.size.x, c.w, 1.0e-4f) << c.name;
        EXPECT_NEAR (t.size.y, c.h, 1.0e-4f) << c.name;
    }
}

TEST (SxTransform, CornerDragKeepsTheAnchorOfARotatedRectangle)
{
    auto t = makeTransform (10, 20, 100, 60, 0.7);
    const auto anchor = t.corners[0];
    t.dragHandle (3, pt (120, 90), false, false, pt (1, 1));
    expectNear (t.corners[0], anchor.x, anchor.y, 1.0e-3f);
}

TEST (SxTransform, SetFromMappedQuadCarriesThePlacement)
{
    // A 20 x 10 placement inside a 100 x 100 reference, carried onto a reference that
    // moved, doubled and turned by a quarter.
    auto placement = makeTransform (20, 30, 20, 10);
    const auto reference = makeTransform (50, 50, 100, 100);
    const auto target = makeTransform (300, 300, 200, 200, juce::MathConstants<double>::halfPi);

    placement.setFromMappedQuad (target, reference);
    EXPECT_NEAR (placement.size.x, 40, 1.0e-3f);
    EXPECT_NEAR (placement.size.y, 20, 1.0e-3f);
    EXPECT_NEAR (std::remainder (placement.orientation - juce::MathConstants<double>::halfPi, juce::MathConstants<double>::twoPi), 0.0, 1.0e-5);
    float u = 0.2f, v = 0.3f;
    target.mapFromUnitSquare (u, v);
    EXPECT_NEAR (placement.center.x, u, 1.0e-3f);
    EXPECT_NEAR (placement.center.y, v, 1.0e-3f);

    // Onto itself, nothing changes.
    auto same = makeTransform (20, 30, 10, 20, 0.0);
    same.setFromMappedQuad (reference, reference);
    EXPECT_NEAR (same.size.x, 10, 1.0e-3f);
    EXPECT_NEAR (same.size.y, 20, 1.0e-3f);
    EXPECT_NEAR (same.orientation, 0.0, 1.0e-6);
}

TEST (SxTransform, IntersectRect)
{
    const auto t = makeTransform (50, 50, 40, 40, 0.3);
    struct Case { const char* name; RectBounds rect; bool expected; };
    const Case cases[] = {
        { "contains a corner", { 60, 60, 200, 200 }, true },
        { "inside the transform", { 45, 45, 55, 55 }, true },
        { "far away", { 200, 200, 300, 300 }, false },
        { "crosses one edge", { 20, 48, 120, 52 }, true },
        { "unset: only coverage and crossings", RectBounds::unset(), false },
    };
    for (const auto& c : cases)
        EXPECT_EQ (t.intersectRect (c.rect), c.expected) << c.name;

    // All four fields 0 count as unset and skip the corner test: corner 3 at (0, 0) is
    // not enough there, though it is for (0, 0, 1, 1).
    const auto cornerAtOrigin = makeTransform (-5, -5, 10, 10);
    EXPECT_FALSE (cornerAtOrigin.intersectRect (RectBounds { 0, 0, 0, 0 }));
    EXPECT_TRUE (cornerAtOrigin.intersectRect (RectBounds { 0, 0, 1, 1 }));
}

TEST (SxTransform, RemapToSizeOffsetsOnlyTheCentreInMode4)
{
    struct Case { int mode; float cx, cy, w, h; };
    // Centre (50, 25), size 20 x 10 on 100 x 50, remapped to 400 x 100.
    const Case cases[] = {
        { 1, 200, 50, 80, 20 },
        { 2, 200, 100, 80, 40 },
        { 3, 100, 50, 40, 20 },
        { 4, 200, 50, 40, 20 },
    };
    for (const auto& c : cases)
    {
        auto t = makeTransform (50, 25, 20, 10);
        t.remapToSize (pt (400, 100), pt (100, 50), c.mode);
        EXPECT_FLOAT_EQ (t.center.x, c.cx) << c.mode;
        EXPECT_FLOAT_EQ (t.center.y, c.cy) << c.mode;
        EXPECT_FLOAT_EQ (t.size.x, c.w) << c.mode;
        EXPECT_FLOAT_EQ (t.size.y, c.h) << c.mode;
    }

    auto t = makeTransform (50, 25, 20, 10);
    t.remapToSize (pt (400, 100), pt (0, 50), 1);
    EXPECT_EQ (t.center, pt (50, 25));
    EXPECT_EQ (t.size, pt (20, 10));
}

TEST (SxSegment, SegmentDistance)
{
    struct Case { SxSegment a, b; float expected; };
    const Case cases[] = {
        { { pt (0, 0), pt (10, 10) }, { pt (0, 10), pt (10, 0) }, 0 },        // crossing
        { { pt (0, 0), pt (10, 0) }, { pt (0, 5), pt (10, 5) }, 5 },          // parallel
        { { pt (0, 0), pt (10, 0) }, { pt (13, 4), pt (20, 4) }, 5 },         // end to end
        { { pt (3, 3), pt (3, 3) }, { pt (0, 0), pt (0, 10) }, 3 },           // a point
        { { pt (0, 0), pt (0, 0) }, { pt (1.0e6f, 0), pt (1.0e6f, 1) }, 65535 },
    };
    for (const auto& c : cases)
    {
        EXPECT_FLOAT_EQ (segmentDistance (c.a, c.b), c.expected);
        EXPECT_FLOAT_EQ (segmentDistance (c.b, c.a), c.expected);
    }
}

TEST (SxSegment, SavesAndLoadsItsRecord)
{
    SxPropertySet set;
    SxSegment s { pt (1.5f, 2), pt (-3, 4.25f) };
    s.saveToProperties (set, "seg");
    auto record = SxPropertySet::readRecord (set, "seg");
    ASSERT_TRUE (record);
    EXPECT_EQ (record->getAllProperties().getAllKeys(), juce::StringArray ({ "mPt1.x", "mPt1.y", "mPt2.x", "mPt2.y" }));

    SxSegment back;
    back.loadFromProperties (set, "seg");
    EXPECT_EQ (back.mPt1, s.mPt1);
    EXPECT_EQ (back.mPt2, s.mPt2);

    back.loadFromProperties (set, "missing");
    EXPECT_EQ (back.mPt2, s.mPt2);
}

TEST (SxPlacement, SaveWritesTheKeysInOrderAndThousandthsInMode1)
{
    SxPlacement p;
    p.center = pt (50, 25);
    p.size = pt (20, 10);
    p.orientation = 0.25;
    p.selected = true;
    p.updateQuad();

    SxPropertySet set;
    p.saveToProperties (set, "place", pt (100, 50), 1);
    auto record = SxPropertySet::readRecord (set, "place");
    ASSERT_TRUE (record);
    const auto& values = record->getAllProperties();
    EXPECT_EQ (values.getAllKeys(), juce::StringArray ({ "origImageSize.x", "origImageSize.y", "transform.center.x", "transform.center.y",
                                                         "transform.scale.x", "transform.scale.y", "transform.orientation", "isSelected" }));
    EXPECT_EQ (values.getAllValues(), juce::StringArray ({ "100", "50", "500", "500", "200", "200", "0.25", "1" }));

    p.saveToProperties (set, "pixels", pt (100, 50), 3);
    EXPECT_EQ (SxPropertySet::readRecord (set, "pixels")->getValue ("transform.center.x"), "50");

    // A zero image side has no thousandths: that axis is written in pixels, never inf.
    p.saveToProperties (set, "zero", pt (0, 50), 1);
    const auto zero = SxPropertySet::readRecord (set, "zero");
    EXPECT_EQ (zero->getValue ("transform.center.x"), "50");
    EXPECT_EQ (zero->getValue ("transform.scale.x"), "20");
    EXPECT_EQ (zero->getValue ("transform.center.y"), "500");
}

TEST (SxPlacement, LoadFitsTheRecordToTheImage)
{
    struct Case
    {
        const char* name;
        SxPoint savedOn;   // image size at save; (0, 0) writes no origImageSize
        int saveMode;
        SxPoint loadOn;
        int loadMode;
        float cx, cy, w, h;
    };
    // The placement: centre (50, 25), size 20 x 10.
    const Case cases[] = {
        { "thousandths, stretched", pt (100, 50), 1, pt (200, 100), 1, 100, 50, 40, 20 },
        { "pixels, same size", pt (100, 50), 2, pt (100, 50), 2, 50, 25, 20, 10 },
        { "pixels, wider image: centred", pt (100, 50), 3, pt (200, 50), 3, 100, 25, 20, 10 },
        { "pixels, twice the size", pt (100, 50), 4, pt (200, 100), 4, 100, 50, 40, 20 },
    };
    for (const auto& c : cases)
    {
        SxPlacement p;
        p.center = pt (50, 25);
        p.size = pt (20, 10);
        SxPropertySet set;
        p.saveToProperties (set, "k", c.savedOn, c.saveMode);

        SxPlacement back;
        back.loadFromProperties (set, "k", c.loadOn, c.loadMode);
        EXPECT_FLOAT_EQ (back.center.x, c.cx) << c.name;
        EXPECT_FLOAT_EQ (back.center.y, c.cy) << c.name;
        EXPECT_FLOAT_EQ (back.size.x, c.w) << c.name;
        EXPECT_FLOAT_EQ (back.size.y, c.h) << c.name;
        EXPECT_FLOAT_EQ (back.corners[0].x, c.cx - c.w / 2) << c.name;
    }

    // Mode 2 with a saved 100 x 100 image onto 200 x 100: s = 1, the centre moves right by 50.
    SxPropertySet set;
    SxPropertySet record;
    for (auto [k, v] : { std::pair { "origImageSize.x", "100" }, { "origImageSize.y", "100" },
                         { "transform.center.x", "30" }, { "transform.center.y", "40" },
                         { "transform.scale.x", "10" }, { "transform.scale.y", "10" } })
        record.setValue (k, v);
    record.writeAsRecord (set, "k");
    SxPlacement p;
    p.loadFromProperties (set, "k", pt (200, 100), 2);
    EXPECT_FLOAT_EQ (p.center.x, 80);
    EXPECT_FLOAT_EQ (p.center.y, 40);
    EXPECT_FLOAT_EQ (p.size.x, 10);
}

TEST (SxPlacement, LoadWithoutOrigSizeTakesThousandthsPerMode)
{
    // Saved values 500 / 500 and 200 / 100 in thousandths, onto a 2000 x 1000 image.
    SxPropertySet set, record;
    for (auto [k, v] : { std::pair { "transform.center.x", "500" }, { "transform.center.y", "500" },
                         { "transform.scale.x", "200" }, { "transform.scale.y", "100" } })
        record.setValue (k, v);
    record.writeAsRecord (set, "k");

    struct Case { int mode; float cx, cy, w, h; };
    const Case cases[] = {
        { 1, 1000, 500, 400, 100 },
        { 2, 1000, 1000, 400, 200 },
        { 3, 500, 500, 200, 100 },
        { 4, 1000, 500, 200, 100 },   // centred: the offset moves the centre only
        { 5, 500, 500, 200, 100 },    // unknown mode: values as read
    };
    for (const auto& c : cases)
    {
        SxPlacement p;
        p.loadFromProperties (set, "k", pt (2000, 1000), c.mode);
        EXPECT_FLOAT_EQ (p.center.x, c.cx) << c.mode;
        EXPECT_FLOAT_EQ (p.center.y, c.cy) << c.mode;
        EXPECT_FLOAT_EQ (p.size.x, c.w) << c.mode;
        EXPECT_FLOAT_EQ (p.size.y, c.h) << c.mode;
    }
}

TEST (SxPlacement, MissingKeyGivesAnEmptyPlacement)
{
    for (int mode : { 0, 1, 2, 3, 4 })
    {
        SxPlacement p;
        p.selected = true;
        p.orientation = 1.0;
        SxPropertySet set;
        p.loadFromProperties (set, "missing", pt (200, 100), mode);
        // Mode 4 centres the empty placement on the image's smaller-ratio square.
        const float cx = mode == 4 ? 50.0f : 0.0f, cy = 0.0f;
        EXPECT_EQ (p.center.x, cx) << mode;
        EXPECT_EQ (p.center.y, cy) << mode;
        EXPECT_EQ (p.size, pt (0, 0)) << mode;
        EXPECT_EQ (p.orientation, 0.0) << mode;
        EXPECT_FALSE (p.selected);
        EXPECT_FALSE (p.containsPoint (pt (0, 0)));
    }
}

TEST (SxPlacement, MoveWithTransformFollowsTheReference)
{
    SxPlacement p;
    p.center = pt (25, 50);
    p.size = pt (10, 20);
    p.orientation = 0.1;
    p.updateQuad();

    const auto oldRef = makeTransform (50, 50, 100, 100);
    const auto newRef = makeTransform (100, 100, 200, 100, 0.5);
    p.moveWithTransform (newRef, oldRef);

    EXPECT_FLOAT_EQ (p.size.x, 20);
    EXPECT_FLOAT_EQ (p.size.y, 20);
    EXPECT_NEAR (p.orientation, 0.6, 1.0e-12);
    float u = 0.25f, v = 0.5f;
    newRef.mapFromUnitSquare (u, v);
    EXPECT_NEAR (p.center.x, u, 1.0e-4f);
    EXPECT_NEAR (p.center.y, v, 1.0e-4f);

    // A reference without area keeps the size finite.
    p.moveWithTransform (newRef, makeTransform (0, 0, 0, 0));
    EXPECT_TRUE (std::isfinite (p.size.x) && std::isfinite (p.size.y));
}
