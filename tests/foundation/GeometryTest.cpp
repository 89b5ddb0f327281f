#include "Geometry.h"
#include "SxImageAlphaByte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
    SxPoint pt (float x, float y, float weight = 1.0f)
    {
        SxPoint p;
        p.x = x;
        p.y = y;
        p.weight = weight;
        return p;
    }

    // The scan-line fill exactly as the algorithm is written: every row from yMin to yMax,
    // with the incremental error-term walk. The production fill skips rows outside the
    // image and computes crossings in closed form; both must write the same pixels.
    void referenceFillPolygon (const std::vector<SxPoint>& vertices, SxImageAlphaByte& image, uint8_t value)
    {
        struct Edge { long long x, bottomY, dx, dy, err; };
        if (vertices.empty())
            return;
        std::vector<std::pair<long long, long long>> pts;
        long long minY = 5000000, maxY = 0;
        for (const auto& v : vertices)
        {
            pts.push_back ({ (long long) v.x, (long long) v.y });
            minY = std::min (minY, (long long) v.y);
            maxY = std::max (maxY, (long long) v.y);
        }
        std::vector<std::pair<long long, Edge>> buckets; // (top row, edge) in vertex order
        for (size_t i = 0; i < pts.size(); ++i)
        {
            auto a = pts[i], b = pts[(i + 1) % pts.size()];
            if (a.second == b.second)
                continue;
            if (b.second < a.second)
                std::swap (a, b);
            buckets.push_back ({ a.second, Edge { a.first, b.second, b.first - a.first, b.second - a.second, 0 } });
        }
        std::vector<Edge> active;
        for (long long y = minY; y <= maxY; ++y)
        {
            std::vector<Edge> kept;
            for (auto e : active)
            {
                if (e.bottomY == y)
                    continue;
                if (e.dx != 0)
                {
                    const long long q = e.dx / e.dy;
                    e.x += q;
                    e.err += 2 * e.dx - 2 * e.dy * q;
                    if (e.err > e.dy || e.err < -e.dy)
                    {
                        if (e.dx > 0) { e.x += 1; e.err -= 2 * e.dy; }
                        else          { e.x -= 1; e.err += 2 * e.dy; }
                    }
                }
                kept.push_back (e);
            }
            active = kept;
            for (const auto& [top, edge] : buckets)
            {
                if (top != y)
                    continue;
                auto pos = active.begin();
                while (pos != active.end()
                       && (pos->x < edge.x || (pos->x == edge.x && pos->dx * edge.dy < pos->dy * edge.dx)))
                    ++pos;
                active.insert (pos, edge);
            }
            for (size_t i = 0; i + 1 < active.size(); i += 2)
                for (long long j = active[i].x + 1; j < active[i + 1].x; ++j)
                    if (j >= 0 && j < image.width && y >= 0 && y < image.height)
                        image.pixels[y * image.width + j] = value;
        }
    }

    int countValue (const SxImageAlphaByte& img, uint8_t v)
    {
        int n = 0;
        for (int i = 0; i < img.width * img.height; ++i)
            n += img.pixels[i] == v;
        return n;
    }
}

TEST (Geometry, DistanceAndMidPoint)
{
    EXPECT_FLOAT_EQ (pointDistance (pt (0, 0), pt (3, 4)), 5.0f);

    auto a = pt (0, 0, 0.2f);
    a.aux1 = 3.0f;
    const auto m = makeMidPoint (a, pt (2, 4, 0.7f));
    EXPECT_EQ (m, pt (1, 2, 1.0f)); // weight 1, further floats 0
}

TEST (Geometry, ScaleWithAspectModes)
{
    struct Case { int mode; float x, y; };
    const std::vector<Case> cases {
        { 1, 20, 10 }, { 2, 20, 20 }, { 3, 10, 10 }, { 4, 60, 10 }, { 0, 10, 10 }, { 7, 10, 10 },
    };
    for (const auto& c : cases)
    {
        auto p = pt (10, 10);
        scaleWithAspectMode (p, pt (200, 200), pt (100, 200), c.mode);
        EXPECT_FLOAT_EQ (p.x, c.x) << "mode " << c.mode;
        EXPECT_FLOAT_EQ (p.y, c.y) << "mode " << c.mode;
    }

    // Sizes are rescaled the same way.
    auto size = pt (100, 200);
    scaleWithAspectMode (size, pt (50, 50), pt (100, 200), 3);
    EXPECT_FLOAT_EQ (size.x, 25.0f);
    EXPECT_FLOAT_EQ (size.y, 50.0f);
}

TEST (Geometry, IntersectSegments)
{
    struct Case { SxPoint a1, a2, b1, b2; bool hit; float x, y; const char* what; };
    const std::vector<Case> cases {
        { pt (0, 0), pt (10, 10), pt (0, 10), pt (10, 0), true, 5, 5, "crossing" },
        { pt (0, 0), pt (10, 0), pt (0, 1), pt (10, 1), false, 0, 0, "parallel" },
        { pt (0, 0), pt (10, 0), pt (5, 0), pt (15, 0), false, 0, 0, "collinear overlap" },
        { pt (0, 0), pt (10, 0), pt (10, 0), pt (10, 10), true, 10, 0, "touch at an end" },
        { pt (0, 0), pt (10, 0), pt (20, -5), pt (20, 5), false, 0, 0, "apart" },
        { pt (0.9f, -0.9f), pt (10, 10), pt (0, 10), pt (10, 0), true, 5, 5, "fractions truncate to 0" },
        { pt (0, 0), pt (3, 1), pt (0, 1), pt (3, 0), true, 2, 1, "rounded, halves away from zero" },
        { pt (0, 0), pt (-3, -1), pt (0, -1), pt (-3, 0), true, -2, -1, "negative halves away from zero" },
    };
    for (const auto& c : cases)
    {
        SxPoint out = pt (-7, -7);
        EXPECT_EQ (intersectSegments (c.a1, c.a2, c.b1, c.b2, out), c.hit) << c.what;
        if (c.hit)
        {
            EXPECT_FLOAT_EQ (out.x, c.x) << c.what;
            EXPECT_FLOAT_EQ (out.y, c.y) << c.what;
        }
    }
}

TEST (Geometry, IntersectSegmentsRefusesNonFiniteAndSurvivesLargeCoordinates)
{
    SxPoint out;
    const float nan = std::nanf ("");
    const float inf = INFINITY;
    EXPECT_FALSE (intersectSegments (pt (nan, 0), pt (10, 10), pt (0, 10), pt (10, 0), out));
    EXPECT_FALSE (intersectSegments (pt (0, 0), pt (inf, 10), pt (0, 10), pt (10, 0), out));
    EXPECT_FALSE (intersectSegments (pt (0, 0), pt (1e30f, 1e30f), pt (0, 1e30f), pt (1e30f, 0), out));

    // Large enough that the 64-bit products of the plain test would overflow.
    const float big = 2.0e9f;
    ASSERT_TRUE (intersectSegments (pt (-big, -big), pt (big, big), pt (-big, big), pt (big, -big), out));
    EXPECT_FLOAT_EQ (out.x, 0.0f);
    EXPECT_FLOAT_EQ (out.y, 0.0f);
}

TEST (Geometry, FillPolygonSquareLeavesEdgeColumnsAndBottomRow)
{
    SxRef<SxImageAlphaByte> img (new SxImageAlphaByte (10, 10));
    fillPolygon ({ pt (2, 2), pt (6, 2), pt (6, 6), pt (2, 6) }, *img, 200);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ (img->pixels[y * 10 + x], (x >= 3 && x <= 5 && y >= 2 && y <= 5) ? 200 : 0) << x << "," << y;

    fillPolygon ({}, *img, 1);
    EXPECT_EQ (countValue (*img, 1), 0);
}

TEST (Geometry, FillPolygonPartlyOutsideWritesOnlyInside)
{
    SxRef<SxImageAlphaByte> img (new SxImageAlphaByte (6, 6));
    fillPolygon ({ pt (-10, -10), pt (20, -10), pt (20, 3), pt (-10, 3) }, *img, 9);
    EXPECT_EQ (countValue (*img, 9), 6 * 3);
}

// A vertex a billion rows away: the rows outside the image are skipped, not walked
// (bench/GeometryBench shows the cost), and the rows inside get the same crossings.
TEST (Geometry, FillPolygonWithAFarVertex)
{
    SxRef<SxImageAlphaByte> img (new SxImageAlphaByte (64, 64));
    fillPolygon ({ pt (10, -1.0e9f), pt (50, 60), pt (5, 60) }, *img, 7);
    // Near the image the two long edges are practically vertical, crossing at 5 and 50:
    // columns 6..49 are filled on rows 0..59.
    for (int y : { 0, 30, 59 })
    {
        EXPECT_EQ (img->pixels[y * 64 + 5], 0) << y;
        EXPECT_EQ (img->pixels[y * 64 + 6], 7) << y;
        EXPECT_EQ (img->pixels[y * 64 + 49], 7) << y;
        EXPECT_EQ (img->pixels[y * 64 + 50], 0) << y;
    }
    EXPECT_EQ (img->pixels[60 * 64 + 20], 0);

    fillPolygon ({ pt (NAN, 0), pt (10, 10), pt (0, 10) }, *img, 3);
    EXPECT_EQ (countValue (*img, 3), 0);
}

TEST (Geometry, FillPolygonMatchesTheRowWalkOnRandomPolygons)
{
    std::mt19937 rng (1234);
    std::uniform_real_distribution<float> coord (-30.0f, 70.0f);
    std::uniform_int_distribution<int> count (3, 12);

    for (int trial = 0; trial < 400; ++trial)
    {
        std::vector<SxPoint> poly;
        const int n = count (rng);
        for (int i = 0; i < n; ++i)
            poly.push_back (pt (coord (rng), coord (rng)));

        SxRef<SxImageAlphaByte> actual (new SxImageAlphaByte (40, 37));
        SxRef<SxImageAlphaByte> expected (new SxImageAlphaByte (40, 37));
        fillPolygon (poly, *actual, 255);
        referenceFillPolygon (poly, *expected, 255);
        ASSERT_TRUE (std::equal (actual->pixels, actual->pixels + 40 * 37, expected->pixels)) << "trial " << trial;
    }
}

TEST (Geometry, RectUnsetAndClip)
{
    EXPECT_TRUE (isRectUnset ({ 50000, 50000, -50000, -50000 }));
    EXPECT_TRUE (isRectUnset ({ 0, 0, 0, 0 }));
    EXPECT_FALSE (isRectUnset ({ 0, 0, 0, 1 }));
    EXPECT_TRUE (isRectUnset (RectBounds {}));

    struct Case { RectBounds in, out; };
    const std::vector<Case> cases {
        { RectBounds::unset(), { 0, 0, 99, 99 } },
        { { -10, 20, 50, 200 }, { 0, 20, 50, 99 } },
        { { 150, 150, 200, 200 }, { 99, 99, 99, 99 } },
        { { -20, -20, -10, -10 }, { 0, 0, 0, 0 } },
        { { 10, 10, 20, 20 }, { 10, 10, 20, 20 } },
    };
    for (const auto& c : cases)
    {
        auto r = c.in;
        clipRectToBounds (r, { 0, 0, 99, 99 });
        EXPECT_EQ (r, c.out);
    }
}
