#pragma once

#include "RectBounds.h"
#include "SxPoint.h"

#include <array>

/** A rectangle placed on the image: centre, size (x = width, y = height) and rotation.

    updateQuad derives the four corners (0 top-left, 1 bottom-left, 2 top-right,
    3 bottom-right before rotation) and the coefficients that map image points into the
    rectangle's unit square, where u runs from corner 0 to corner 2 and v from corner 0
    to corner 1. A rectangle without area (a side of 0 or not finite) keeps all mapping
    coefficients at 0: every point maps to (0, 0) and nothing is covered.

    Every operation that changes centre, size or orientation updates the quad at its end,
    except remapToSize.
*/
class SxTransform
{
public:
    /** Centre (0, 0), 100 x 100, no rotation, quad updated. */
    SxTransform();
    virtual ~SxTransform() = default;

    SxTransform (const SxTransform&) = default;
    SxTransform& operator= (const SxTransform&) = default;

    /** Recomputes the corners and the mapping coefficients. */
    virtual void updateQuad();

    /** Rescales centre and size from oldSize to newSize with the aspect mode of
        scaleWithAspectMode; in mode 4 only the centre takes the centring offset. An old
        size with a side of 0 leaves everything unchanged. Does not update the quad. */
    virtual void remapToSize (const SxPoint& newSize, const SxPoint& oldSize, int mode);

    /** Integer bounding box of the corners; right and bottom are the last column and row.
        The box always reaches to 0 on the high side and to 50000 on the low side. */
    RectBounds getBounds() const;

    /** Maps the image point (x, y) in place to (u, v), 0..1 inside the rectangle. */
    void mapToUnitSquare (float& x, float& y) const;

    /** Maps (u, v) in place to the image point of the rectangle. */
    void mapFromUnitSquare (float& u, float& v) const;

    /** Handle 0 to 3: the corner; 4 top, 5 bottom, 6 left, 7 right edge midpoint.
        Any other number gives the centre. */
    SxPoint getHandlePoint (int handle) const;

    /** Resizes the rectangle as handle 0 to 7 is dragged to point, never below
        minimumSize (x = width, y = height). Corners: the opposite corner stays unless
        fromCentre; constrain keeps the aspect ratio. Edges: the opposite edge stays, or
        with constrain both edges move and the centre stays. */
    void dragHandle (int handle, const SxPoint& point, bool constrain, bool fromCentre, const SxPoint& minimumSize);

    /** Takes this transform, given relative to reference, to the same place relative to
        target: centre, size and orientation from the carried corners. */
    void setFromMappedQuad (const SxTransform& target, const SxTransform& reference);

    /** Coverage 0..1 of the point: 1 inside, 0 outside; soft coverage fades to 0 over
        one pixel outside the edges. */
    float getCoverageAt (const SxPoint& point, bool soft) const;

    /** True when the soft coverage of the point is not 0. */
    bool containsPoint (const SxPoint& point) const;

    /** True when the rectangle and rect overlap (by corners, coverage or edge crossings). */
    bool intersectRect (const RectBounds& rect) const;

    SxPoint center;
    double orientation = 0.0;          // radians
    SxPoint size { 100.0f, 100.0f };
    std::array<SxPoint, 4> corners {};
    float mapShear = 0.0f;
    float mapPerspectiveU = 0.0f;
    float mapPerspectiveV = 0.0f;
    SxPoint mapOrigin;
    float mapInvLength = 0.0f;
    float mapAxis[2] = { 0.0f, 0.0f };
    float mapInvHeight = 0.0f;

private:
    bool hasArea() const noexcept { return mapInvLength != 0.0f && mapInvHeight != 0.0f; }
};
