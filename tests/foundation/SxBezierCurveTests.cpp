#include "BinaryBlocks.h"
#include "Geometry.h"
#include "MaskTracing.h"
#include "SxBezierCurve.h"
#include "SxImageAlphaByte.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
    SxPoint pt (float x, float y, float weight = 1.0f) { return SxPoint { x, y, weight }; }

    BezierNode node (float x, float y)
    {
        return BezierNode { pt (x, y), pt (x - 1, y - 2), pt (x + 3, y + 4) };
    }

    std::vector<uint8_t> blockBytes (const SxPropertySet& set, const juce::String& key)
    {
        juce::MemoryBlock block;
        EXPECT_TRUE (block.fromBase64Encoding (set.getValue (key)));
        const auto* data = static_cast<const uint8_t*> (block.getData());
        return { data, data + block.getSize() };
    }

    using sxtest::blockText;

    void fillSquare (SxImageAlphaByte& mask, int x0, int y0, int side, uint8_t value)
    {
        for (int y = y0; y < y0 + side; ++y)
            for (int x = x0; x < x0 + side; ++x)
                mask.getRowPointer (y)[x] = value;
    }
}

TEST (SxBezierCurve, EmptyCurveBlockBytes)
{
    for (bool closed : { false, true })
    {
        SxBezierCurve curve;
        curve.closed = closed;
        SxPropertySet set;
        curve.saveToProperties (set, "c");
        const std::vector<uint8_t> expected { 0x02, 0x01, 0, 0, (uint8_t) (closed ? 1 : 0), 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0 };
        EXPECT_EQ (blockBytes (set, "c"), expected) << closed;
    }
}

TEST (SxBezierCurve, OneNodeRoundTripGivesWeightOne)
{
    SxBezierCurve curve;
    curve.closed = true;
    curve.positivePath = false;
    BezierNode n { { 1.5f, 2.5f, 0.3f, 4, 5, 6 }, { -1, 7, 0.2f }, { 8, -9, 0.1f } };
    curve.appendNode (n);

    SxPropertySet set;
    curve.saveToProperties (set, "c");
    EXPECT_EQ (blockBytes (set, "c").size(), 16u + 24u);

    SxBezierCurve back;
    back.loadFromProperties (set, "c");
    ASSERT_EQ (back.nodes.size(), 1u);
    EXPECT_EQ (back.nodes[0].mAnchor, pt (1.5f, 2.5f));
    EXPECT_EQ (back.nodes[0].mHandle1, pt (-1, 7));
    EXPECT_EQ (back.nodes[0].mHandle2, pt (8, -9));
    EXPECT_TRUE (back.closed);
    EXPECT_FALSE (back.positivePath);
}

TEST (SxBezierCurve, LoadsOlderAndDamagedForms)
{
    struct Case
    {
        const char* name;
        juce::String text;
        size_t nodes;
        bool closed, positive;
        BezierNode first;
    };

    SxPropertySet holder;
    SxPropertySet legacy;
    legacy.setValue ("PointCount", "1");
    legacy.setValue ("0mAnchor.x", "3");
    legacy.writeAsRecord (holder, "legacy");

    SxPropertySet hugeLegacy;
    hugeLegacy.setValue ("PointCount", "2000000000");
    hugeLegacy.setValue ("Closed", "1");
    hugeLegacy.setValue ("PositivePath", "1");
    hugeLegacy.writeAsRecord (holder, "hugeLegacy");

    const BezierNode zero { pt (0, 0), pt (0, 0), pt (0, 0) };
    const Case cases[] = {
        { "tag ignored", blockText ({ 7, 1, 1, 1 }, { 1, 2, 3, 4, 5, 6 }), 1, true, true, { pt (1, 2), pt (3, 4), pt (5, 6) } },
        { "huge count, one node of data", blockText ({ 258, 0, 1, 0x7fffffff }, { 1, 2, 3, 4, 5, 6 }), 1, false, true, { pt (1, 2), pt (3, 4), pt (5, 6) } },
        { "node cut short", blockText ({ 258, 0, 0, 3 }, { 1, 2 }), 1, false, false, { pt (1, 2), pt (0, 0), pt (0, 0) } },
        { "header only", blockText ({ 258, 1 }, {}), 0, true, false, zero },
        { "legacy record", holder.getValue ("legacy"), 1, false, false, { pt (3, 0), pt (0, 0), pt (0, 0) } },
        { "legacy record, count past its keys", holder.getValue ("hugeLegacy"), 3, true, true, zero },
    };
    for (const auto& c : cases)
    {
        SxPropertySet set;
        set.setValue ("c", c.text);
        SxBezierCurve curve;
        curve.closed = ! c.closed;
        curve.positivePath = ! c.positive;
        curve.loadFromProperties (set, "c");
        ASSERT_EQ (curve.nodes.size(), c.nodes) << c.name;
        EXPECT_EQ (curve.closed, c.closed) << c.name;
        EXPECT_EQ (curve.positivePath, c.positive) << c.name;
        if (c.nodes > 0)
        {
            EXPECT_EQ (curve.nodes[0].mAnchor, c.first.mAnchor) << c.name;
            EXPECT_EQ (curve.nodes[0].mHandle1, c.first.mHandle1) << c.name;
            EXPECT_EQ (curve.nodes[0].mHandle2, c.first.mHandle2) << c.name;
        }
    }

    // A missing key empties the nodes and keeps the flags.
    SxBezierCurve curve;
    curve.appendNode (node (1, 1));
    curve.closed = true;
    curve.positivePath = false;
    curve.loadFromProperties (holder, "missing");
    EXPECT_TRUE (curve.nodes.empty());
    EXPECT_TRUE (curve.closed);
    EXPECT_FALSE (curve.positivePath);
}

TEST (SxBezierCurve, Segments)
{
    SxBezierCurve curve;
    curve.appendNode (node (0, 0));
    curve.appendNode (node (10, 0));
    curve.appendNode (node (10, 10));

    EXPECT_EQ (curve.getNumSegments(), 2);
    curve.closed = true;
    EXPECT_EQ (curve.getNumSegments(), 3);

    const auto last = curve.getSegment (2);
    EXPECT_EQ (last.p0, curve.nodes[2].mAnchor);
    EXPECT_EQ (last.p1, curve.nodes[2].mHandle2);
    EXPECT_EQ (last.p2, curve.nodes[0].mHandle1);
    EXPECT_EQ (last.p3, curve.nodes[0].mAnchor);

    // The coefficients reproduce the end points and the Bernstein form in between.
    for (int i = 0; i < 3; ++i)
    {
        const auto s = curve.getSegment (i);
        EXPECT_DOUBLE_EQ (s.ax + s.bx + s.cx + s.p0.x, s.p3.x);
        EXPECT_DOUBLE_EQ (s.ay + s.by + s.cy + s.p0.y, s.p3.y);
        const double t = 0.5, m = 1 - t;
        const double bernstein = m * m * m * s.p0.x + 3 * m * m * t * s.p1.x + 3 * m * t * t * s.p2.x + t * t * t * s.p3.x;
        EXPECT_NEAR (s.ax * t * t * t + s.bx * t * t + s.cx * t + s.p0.x, bernstein, 1.0e-9);
    }

    // Out of range (or an open curve's last node): a segment of zeros, no read past the nodes.
    for (int bad : { -1, 3, 1000 })
    {
        const auto s = curve.getSegment (bad);
        EXPECT_EQ (s.p0.x, 0.0f);
        EXPECT_EQ (s.p3.y, 0.0f);
        EXPECT_EQ (s.ax, 0.0);
    }
    curve.closed = false;
    EXPECT_EQ (curve.getSegment (2).p3.x, 0.0f);
    EXPECT_EQ (SxBezierCurve().getSegment (0).p0.x, 0.0f);

    SxBezierCurve single;
    single.appendNode (node (5, 6));
    const auto s = single.getSegment (0);
    EXPECT_EQ (s.p0, single.nodes[0].mAnchor);
    EXPECT_EQ (s.p1, single.nodes[0].mHandle2);
    EXPECT_EQ (s.p2, single.nodes[0].mAnchor);
    EXPECT_EQ (s.p3, single.nodes[0].mAnchor);
}

TEST (MaskTracing, EmptyMaskGivesNoCurves)
{
    SxImageAlphaByte mask (40, 30);
    std::vector<SxBezierCurve> curves;
    traceMaskToCurves (curves, mask, 0, 25, 256);
    EXPECT_TRUE (curves.empty());

    SxImageAlphaByte none (0, 0);
    traceMaskToCurves (curves, none, 0, 25, 256);
    EXPECT_TRUE (curves.empty());
}

TEST (MaskTracing, SquareGivesOnePositiveOpenCurve)
{
    SxImageAlphaByte mask (30, 30);
    fillSquare (mask, 10, 12, 10, 200);

    std::vector<SxBezierCurve> curves (1);   // appended to, not replaced
    traceMaskToCurves (curves, mask, 0, 25, 256);
    ASSERT_EQ (curves.size(), 2u);
    const auto& curve = curves[1];
    EXPECT_TRUE (curve.positivePath);
    EXPECT_FALSE (curve.closed);
    ASSERT_GE (curve.nodes.size(), 5u);

    // Mask rows, not flipped: every node lies on the square's outline (10..20, 12..22).
    for (const auto& n : curve.nodes)
    {
        EXPECT_GE (n.mAnchor.x, 10.0f);
        EXPECT_LE (n.mAnchor.x, 20.0f);
        EXPECT_GE (n.mAnchor.y, 12.0f);
        EXPECT_LE (n.mAnchor.y, 22.0f);
    }
    // The first node is the start point, which is where the path ends.
    const auto& first = curve.nodes.front();
    EXPECT_EQ (first.mHandle1, first.mAnchor);
    EXPECT_EQ (first.mHandle2, first.mAnchor);
}

TEST (MaskTracing, ThresholdEdges)
{
    struct Case { int value, low, high; bool inside; };
    const Case cases[] = {
        { 24, 25, 256, false }, { 25, 25, 256, true }, { 255, 25, 256, true },
        { 75, -1, 0, false }, { 76, -1, 0, true },
        { 200, 25, 199, false }, { 199, 25, 199, true },
    };
    for (const auto& c : cases)
    {
        SxImageAlphaByte mask (20, 20);
        fillSquare (mask, 5, 5, 8, (uint8_t) c.value);
        std::vector<SxBezierCurve> curves;
        traceMaskToCurves (curves, mask, 0, c.low, c.high);
        EXPECT_EQ (curves.size(), c.inside ? 1u : 0u) << c.value << " in " << c.low << ".." << c.high;
    }
}

TEST (MaskTracing, HoleIsANegativePathAndSpecklesFollowTheSize)
{
    SxImageAlphaByte mask (200, 40);   // wider than one 64-bit word per row
    fillSquare (mask, 100, 5, 30, 255);
    fillSquare (mask, 110, 15, 10, 0);
    fillSquare (mask, 10, 10, 2, 255); // a 4-pixel speck

    std::vector<SxBezierCurve> curves;
    traceMaskToCurves (curves, mask, 0, 25, 256);
    ASSERT_EQ (curves.size(), 3u);
    int negatives = 0;
    for (const auto& c : curves)
        negatives += c.positivePath ? 0 : 1;
    EXPECT_EQ (negatives, 1);

    curves.clear();
    traceMaskToCurves (curves, mask, 4, 25, 256);
    EXPECT_EQ (curves.size(), 2u);
}

TEST (MaskTracing, TracedDiscRefillsTheMask)
{
    constexpr int side = 140, radius = 50;
    SxImageAlphaByte mask (side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const float dx = (float) x + 0.5f - 70.0f, dy = (float) y + 0.5f - 64.0f;
            mask.getRowPointer (y)[x] = dx * dx + dy * dy <= (float) (radius * radius) ? 180 : 0;
        }

    std::vector<SxBezierCurve> curves;
    traceMaskToCurves (curves, mask, 0, 25, 256);
    ASSERT_EQ (curves.size(), 1u);

    std::vector<SxPoint> polygon;
    const auto& curve = curves[0];
    for (int i = 0; i < curve.getNumSegments(); ++i)
    {
        const auto s = curve.getSegment (i);
        for (int step = 0; step < 16; ++step)
        {
            const double t = step / 16.0;
            polygon.push_back (pt ((float) (((s.ax * t + s.bx) * t + s.cx) * t + s.p0.x),
                                   (float) (((s.ay * t + s.by) * t + s.cy) * t + s.p0.y)));
        }
    }

    SxImageAlphaByte refill (side, side);
    fillPolygon (polygon, refill, 255);

    int both = 0, either = 0;
    for (int i = 0; i < side * side; ++i)
    {
        const bool a = mask.pixels[i] != 0, b = refill.pixels[i] != 0;
        both += a && b;
        either += a || b;
    }
    const double iou = (double) both / (double) either;
    EXPECT_GE (iou, 0.97) << "IoU " << iou;

    // Every anchor lies on the outline itself, not on a control point off it.
    for (const auto& n : curve.nodes)
        EXPECT_NEAR (std::hypot (n.mAnchor.x - 70.0f, n.mAnchor.y - 64.0f), (float) radius, 1.0f);
}
