#include "Geometry.h"

#include "SxImageAlphaByte.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

float pointDistance (const SxPoint& a, const SxPoint& b)
{
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    return std::sqrt (dx * dx + dy * dy);
}

SxPoint makeMidPoint (const SxPoint& a, const SxPoint& b)
{
    SxPoint p;
    p.x = (a.x + b.x) * 0.5f;
    p.y = (a.y + b.y) * 0.5f;
    return p;
}

void scaleWithAspectMode (SxPoint& point, const SxPoint& targetSize, const SxPoint& sourceSize, int mode)
{
    const float sx = targetSize.x / sourceSize.x;
    const float sy = targetSize.y / sourceSize.y;

    switch (mode)
    {
        case 1:
            point.x *= sx;
            point.y *= sy;
            break;
        case 2:
        case 3:
        {
            const float s = mode == 2 ? std::max (sx, sy) : std::min (sx, sy);
            point.x *= s;
            point.y *= s;
            break;
        }
        case 4:
        {
            const float s = std::min (sx, sy);
            const float px = point.x * s;
            const float py = point.y * s;
            point.x = (float) ((double) px + ((double) targetSize.x - (double) (s * sourceSize.x)) * 0.5);
            point.y = (float) ((double) py + ((double) targetSize.y - (double) (s * sourceSize.y)) * 0.5);
            break;
        }
        default:
            break;
    }
}

namespace
{
    using Wide = __int128;

    constexpr double maxSegmentCoordinate = 1099511627776.0; // 2^40: keeps every product below 2^127

    bool sameNonZeroSign (Wide a, Wide b) { return a != 0 && b != 0 && ((a > 0) == (b > 0)); }

    // Division rounding to the nearest integer, halves away from zero, as the integer test does.
    Wide roundedQuotient (Wide num, Wide denom)
    {
        const Wide offset = (denom < 0 ? -denom : denom) / 2;
        return (num >= 0 ? num + offset : num - offset) / denom;
    }
}

bool intersectSegments (const SxPoint& a1, const SxPoint& a2, const SxPoint& b1, const SxPoint& b2, SxPoint& crossing)
{
    for (float c : { a1.x, a1.y, a2.x, a2.y, b1.x, b1.y, b2.x, b2.y })
        if (! std::isfinite (c) || std::abs ((double) c) > maxSegmentCoordinate)
            return false;

    const Wide x1 = (int64_t) a1.x, y1 = (int64_t) a1.y, x2 = (int64_t) a2.x, y2 = (int64_t) a2.y;
    const Wide x3 = (int64_t) b1.x, y3 = (int64_t) b1.y, x4 = (int64_t) b2.x, y4 = (int64_t) b2.y;

    const Wide ea = y2 - y1, eb = x1 - x2, ec = x2 * y1 - x1 * y2;
    if (sameNonZeroSign (ea * x3 + eb * y3 + ec, ea * x4 + eb * y4 + ec))
        return false;

    const Wide fa = y4 - y3, fb = x3 - x4, fc = x4 * y3 - x3 * y4;
    if (sameNonZeroSign (fa * x1 + fb * y1 + fc, fa * x2 + fb * y2 + fc))
        return false;

    const Wide denom = ea * fb - fa * eb;
    if (denom == 0)
        return false;

    crossing.x = (float) roundedQuotient (eb * fc - fb * ec, denom);
    crossing.y = (float) roundedQuotient (fa * ec - ea * fc, denom);
    return true;
}

namespace
{
    struct PolygonEdge
    {
        int64_t topX, topY, bottomY, dx, dy;

        // The scan-line crossing at row y: the exact x rounded to nearest, halves toward topX.
        // This is the closed form of the incremental error-term walk, so rows can be skipped.
        int64_t xAt (int64_t y) const
        {
            if (dx == 0)
                return topX;
            const Wide twice = (Wide) 2 * (Wide) (y - topY) * (Wide) (dx < 0 ? -dx : dx);
            const Wide d2 = (Wide) 2 * dy;
            // ceil ((twice - dy) / d2): the largest step whose remainder stays within half a pixel.
            const Wide n = twice - dy;
            const Wide step = n >= 0 ? (n + d2 - 1) / d2 : -((-n) / d2);
            return topX + (int64_t) (dx < 0 ? -step : step);
        }
    };

    int64_t truncateCoordinate (float v)
    {
        constexpr double limit = 2147483647.0;
        return (int64_t) std::clamp ((double) v, -limit, limit);
    }
}

void fillPolygon (const std::vector<SxPoint>& vertices, SxImageAlphaByte& image, unsigned char value)
{
    if (vertices.empty())
        return;

    struct IntPoint { int64_t x, y; };
    std::vector<IntPoint> pts;
    pts.reserve (vertices.size());
    for (const auto& v : vertices)
    {
        if (! std::isfinite (v.x) || ! std::isfinite (v.y))
            return;
        pts.push_back ({ truncateCoordinate (v.x), truncateCoordinate (v.y) });
    }

    std::vector<PolygonEdge> edges;
    for (size_t i = 0; i < pts.size(); ++i)
    {
        auto a = pts[i];
        auto b = pts[(i + 1) % pts.size()];
        if (a.y == b.y)
            continue;
        if (b.y < a.y)
            std::swap (a, b);
        edges.push_back ({ a.x, a.y, b.y, b.x - a.x, b.y - a.y });
    }
    if (edges.empty())
        return;

    // Bucket order: edges enter at their top row, in vertex order within a row.
    std::vector<size_t> order (edges.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort (order.begin(), order.end(), [&] (size_t l, size_t r) { return edges[l].topY < edges[r].topY; });

    const int64_t height = image.height, width = image.width;

    std::vector<const PolygonEdge*> active;
    size_t nextEdge = 0;

    auto step = [&] (int64_t y, bool paint)
    {
        active.erase (std::remove_if (active.begin(), active.end(), [y] (const PolygonEdge* e) { return e->bottomY == y; }),
                      active.end());

        for (; nextEdge < order.size() && edges[order[nextEdge]].topY == y; ++nextEdge)
        {
            const auto* e = &edges[order[nextEdge]];
            auto pos = active.begin();
            for (; pos != active.end(); ++pos)
            {
                const auto ax = (*pos)->xAt (y);
                const bool before = ax < e->topX
                                 || (ax == e->topX && (Wide) (*pos)->dx * e->dy < (Wide) (*pos)->dy * e->dx);
                if (! before)
                    break;
            }
            active.insert (pos, e);
        }

        if (! paint)
            return;

        auto* row = image.pixels + (size_t) y * (size_t) width;
        for (size_t i = 0; i + 1 < active.size(); i += 2)
        {
            const int64_t from = std::max<int64_t> (active[i]->xAt (y) + 1, 0);
            const int64_t to = std::min<int64_t> (active[i + 1]->xAt (y), width);
            for (int64_t j = from; j < to; ++j)
                row[j] = value;
        }
    };

    // Rows above the image only change the active list where an edge starts or ends.
    std::vector<int64_t> events;
    for (const auto& e : edges)
    {
        if (e.topY < 0) events.push_back (e.topY);
        if (e.bottomY < 0) events.push_back (e.bottomY);
    }
    std::sort (events.begin(), events.end());
    events.erase (std::unique (events.begin(), events.end()), events.end());
    for (auto y : events)
        step (y, false);

    for (int64_t y = 0; y < height && (nextEdge < order.size() || ! active.empty()); ++y)
        step (y, true);
}

bool isRectUnset (const RectBounds& rect)
{
    return rect == RectBounds::unset()
        || (rect.left == 0.0f && rect.top == 0.0f && rect.right == 0.0f && rect.bottom == 0.0f);
}

void clipRectToBounds (RectBounds& rect, const RectBounds& bounds)
{
    if (isRectUnset (rect))
    {
        rect = bounds;
        return;
    }
    rect.left = std::min (std::max (rect.left, bounds.left), bounds.right);
    rect.right = std::max (std::min (rect.right, bounds.right), bounds.left);
    rect.top = std::min (std::max (rect.top, bounds.top), bounds.bottom);
    rect.bottom = std::max (std::min (rect.bottom, bounds.bottom), bounds.top);
}
