#include "SxTransform.h"

#include "Geometry.h"
#include "SxSegment.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <juce_core/juce_core.h>

SxTransform::SxTransform()
{
    updateQuad();
}

void SxTransform::updateQuad()
{
    const double s = std::sin (orientation), c = std::cos (orientation);
    const double halfW = (double) size.x / 2.0, halfH = (double) size.y / 2.0;

    auto place = [&] (double lx, double ly)
    {
        SxPoint p;
        p.x = (float) ((double) center.x + (lx * c + ly * s));
        p.y = (float) ((double) center.y + (-lx * s + ly * c));
        return p;
    };

    corners[0] = place (-halfW, -halfH);
    corners[1] = place (-halfW, halfH);
    corners[2] = place (halfW, -halfH);
    corners[3] = place (halfW, halfH);

    const double tx = (double) corners[2].x - corners[0].x, ty = (double) corners[2].y - corners[0].y;
    const double lx = (double) corners[1].x - corners[0].x, ly = (double) corners[1].y - corners[0].y;
    const double dx = (double) corners[3].x - corners[0].x, dy = (double) corners[3].y - corners[0].y;

    const double len = std::sqrt (tx * tx + ty * ty);
    const double k = 1.0 / len;
    const double ex = tx * k, ey = ty * k;
    const double shear = (lx * ex + ly * ey) * k;
    const float f = 1.0f / (float) ((ly * ex - lx * ey) * k);
    const float g = (float) ((ex * dy - ey * dx) * k) * f;

    mapInvLength = (float) k;
    mapAxis[0] = (float) (k * tx);
    mapAxis[1] = (float) (k * ty);
    mapShear = (float) -shear;
    mapPerspectiveU = (float) (((double) (float) ((dx * ex + dy * ey) * k) - shear * (double) g - 1.0) / (double) g);
    mapPerspectiveV = g - 1.0f;
    mapInvHeight = f * mapInvLength;
    mapOrigin = corners[0];

    // A rectangle without area divides by zero above; it covers nothing and maps every
    // point to the unit square's origin.
    bool usable = mapInvLength != 0.0f && mapInvHeight != 0.0f;
    for (float v : { mapInvLength, mapAxis[0], mapAxis[1], mapShear, mapPerspectiveU, mapPerspectiveV, mapInvHeight })
        usable = usable && std::isfinite (v);

    if (! usable)
    {
        mapInvLength = mapAxis[0] = mapAxis[1] = mapShear = 0.0f;
        mapPerspectiveU = mapPerspectiveV = mapInvHeight = 0.0f;
    }
}

void SxTransform::remapToSize (const SxPoint& newSize, const SxPoint& oldSize, int mode)
{
    if (oldSize.x == 0.0f || oldSize.y == 0.0f)
        return;

    scaleWithAspectMode (center, newSize, oldSize, mode);
    // The centring offset of mode 4 places the centre; a size has no position to offset.
    scaleWithAspectMode (size, newSize, oldSize, mode == 4 ? 3 : mode);
}

RectBounds SxTransform::getBounds() const
{
    float maxX = 0.0f, maxY = 0.0f, minX = 50000.0f, minY = 50000.0f;
    for (const auto& p : corners)
    {
        const float x = std::trunc (p.x), y = std::trunc (p.y);
        maxX = std::max (maxX, x);
        maxY = std::max (maxY, y);
        minX = std::min (minX, x);
        minY = std::min (minY, y);
    }
    return { minX, minY, maxX - 1.0f, maxY - 1.0f };
}

void SxTransform::mapToUnitSquare (float& x, float& y) const
{
    const float dx = x - mapOrigin.x, dy = y - mapOrigin.y;
    const float b = (dy * mapAxis[0] - mapAxis[1] * dx) * mapInvHeight;
    const float a = (dx * mapAxis[0] + dy * mapAxis[1]) * mapInvLength + mapShear * b;
    x = (float) ((double) a / ((double) b * mapPerspectiveU + 1.0));
    y = (float) ((double) b / ((double) a * mapPerspectiveV + 1.0));
}

void SxTransform::mapFromUnitSquare (float& u, float& v) const
{
    const float leftX = corners[0].x + (corners[1].x - corners[0].x) * v;
    const float leftY = corners[0].y + (corners[1].y - corners[0].y) * v;
    const float rightX = corners[2].x + (corners[3].x - corners[2].x) * v;
    const float rightY = corners[2].y + (corners[3].y - corners[2].y) * v;
    const float t = u;
    u = leftX + (rightX - leftX) * t;
    v = leftY + (rightY - leftY) * t;
}

SxPoint SxTransform::getHandlePoint (int handle) const
{
    switch (handle)
    {
        case 0: case 1: case 2: case 3: return corners[(size_t) handle];
        case 4: return makeMidPoint (corners[0], corners[2]);
        case 5: return makeMidPoint (corners[1], corners[3]);
        case 6: return makeMidPoint (corners[0], corners[1]);
        case 7: return makeMidPoint (corners[2], corners[3]);
        default: break;
    }
    SxPoint p;
    p.x = center.x;
    p.y = center.y;
    return p;
}

void SxTransform::dragHandle (int handle, const SxPoint& point, bool constrain, bool fromCentre, const SxPoint& minimumSize)
{
    if (handle < 0 || handle > 7)
        return;

    const double s = std::sin (orientation), c = std::cos (orientation);
    const double widthAxisX = c, widthAxisY = -s, heightAxisX = s, heightAxisY = c;
    const double oldW = size.x, oldH = size.y;

    // Sign of the handle's side relative to the centre along each axis (0: not moved).
    static constexpr int sideX[] = { -1, -1, 1, 1, 0, 0, -1, 1 };
    static constexpr int sideY[] = { -1, 1, -1, 1, -1, 1, 0, 0 };
    const int sx = sideX[handle], sy = sideY[handle];

    // The anchor is the opposite corner, or the midpoint of the opposite edge.
    static constexpr int opposite[] = { 3, 2, 1, 0, 5, 4, 7, 6 };
    const SxPoint anchor = getHandlePoint (opposite[handle]);
    const double px = (double) point.x - anchor.x, py = (double) point.y - anchor.y;
    const double alongWidth = sx * (px * widthAxisX + py * widthAxisY);
    const double alongHeight = sy * (px * heightAxisX + py * heightAxisY);

    double newW = oldW, newH = oldH;
    double shiftW = 0.0, shiftH = 0.0;   // centre movement along each axis, away from the anchor

    if (handle < 4)
    {
        newW = std::max ((double) minimumSize.x, alongWidth);
        newH = std::max ((double) minimumSize.y, alongHeight);

        const double aspect = oldW / oldH;
        if (constrain && std::isfinite (aspect) && aspect != 0.0)
        {
            if (newW > aspect * newH)
                newH = newW / aspect;
            else
                newW = aspect * newH;
        }

        if (! fromCentre)
        {
            shiftW = (newW - oldW) / 2.0;
            shiftH = (newH - oldH) / 2.0;
        }
    }
    else if (handle < 6)
    {
        const double reach = std::max ((double) minimumSize.y, alongHeight);
        if (constrain)
            newH = 2.0 * reach - oldH;
        else
        {
            newH = reach;
            shiftH = (reach - oldH) / 2.0;
        }
    }
    else
    {
        const double reach = std::max ((double) minimumSize.x, alongWidth);
        if (constrain)
            newW = 2.0 * reach - oldW;
        else
        {
            newW = reach;
            shiftW = (reach - oldW) / 2.0;
        }
    }

    center.x = (float) ((double) center.x + sx * shiftW * widthAxisX + sy * shiftH * heightAxisX);
    center.y = (float) ((double) center.y + sx * shiftW * widthAxisY + sy * shiftH * heightAxisY);
    size.x = (float) newW;
    size.y = (float) newH;
    updateQuad();
}

void SxTransform::setFromMappedQuad (const SxTransform& target, const SxTransform& reference)
{
    std::array<SxPoint, 4> mapped;
    for (size_t i = 0; i < 4; ++i)
    {
        float x = corners[i].x, y = corners[i].y;
        reference.mapToUnitSquare (x, y);
        target.mapFromUnitSquare (x, y);
        mapped[i].x = x;
        mapped[i].y = y;
    }

    const float height = segmentDistance ({ mapped[0], mapped[2] }, { mapped[1], mapped[3] });
    const float width = segmentDistance ({ mapped[0], mapped[1] }, { mapped[2], mapped[3] });
    size = SxPoint { width, height };
    center = makeMidPoint (mapped[0], mapped[3]);

    if (width > height)
    {
        const SxPoint m = makeMidPoint (mapped[0], mapped[1]);
        orientation = std::atan2 (center.x - m.x, center.y - m.y) - juce::MathConstants<float>::halfPi;
    }
    else
    {
        const SxPoint m = makeMidPoint (mapped[0], mapped[2]);
        orientation = std::atan2 (center.x - m.x, center.y - m.y);
    }
    updateQuad();
}

float SxTransform::getCoverageAt (const SxPoint& point, bool soft) const
{
    if (! hasArea())
        return 0.0f;

    float u = point.x, v = point.y;
    mapToUnitSquare (u, v);
    const float hard = (u >= 0.0f && u < 1.0f && v >= 0.0f && v < 1.0f) ? 1.0f : 0.0f;
    if (! soft)
        return hard;

    auto fade = [] (float t, float side)
    {
        if (t < 0.0f)
            return std::min (-t * side, 1.0f);
        if (t > 1.0f)
            return std::min ((t - 1.0f) * side, 1.0f);
        return 0.0f;
    };
    const float m = (1.0f - fade (u, size.x)) * (1.0f - fade (v, size.y));
    return m < 1.0f ? m : hard;
}

bool SxTransform::containsPoint (const SxPoint& point) const
{
    return getCoverageAt (point, true) != 0.0f;
}

bool SxTransform::intersectRect (const RectBounds& rect) const
{
    if (! isRectUnset (rect))
        for (size_t i : { 0u, 2u, 1u, 3u })
            if (corners[i].x >= rect.left && corners[i].x <= rect.right
                && corners[i].y >= rect.top && corners[i].y <= rect.bottom)
                return true;

    const SxPoint rectCorners[4] = { { rect.left, rect.top }, { rect.left, rect.bottom },
                                     { rect.right, rect.top }, { rect.right, rect.bottom } };
    if (std::all_of (std::begin (rectCorners), std::end (rectCorners),
                     [this] (const SxPoint& p) { return getCoverageAt (p, true) != 0.0f; }))
        return true;

    const std::pair<int, int> quadEdges[] = { { 0, 1 }, { 1, 3 }, { 3, 2 }, { 2, 0 } };
    const std::pair<int, int> rectEdges[] = { { 0, 2 }, { 2, 3 }, { 3, 1 }, { 1, 0 } };

    int crossings = 0;
    RectBounds box;
    for (const auto& [qa, qb] : quadEdges)
    {
        for (const auto& [ra, rb] : rectEdges)
        {
            SxPoint crossing;
            if (! intersectSegments (corners[(size_t) qa], corners[(size_t) qb], rectCorners[ra], rectCorners[rb], crossing))
                continue;
            ++crossings;
            box.left = std::min (box.left, crossing.x);
            box.top = std::min (box.top, crossing.y);
            box.right = std::max (box.right, crossing.x);
            box.bottom = std::max (box.bottom, crossing.y);
        }
    }
    return crossings >= 1 && crossings <= 4 && ! isRectUnset (box);
}
