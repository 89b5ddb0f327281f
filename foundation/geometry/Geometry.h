#pragma once

#include "RectBounds.h"
#include "SxPoint.h"

#include <vector>

class SxImageAlphaByte;

/** Geometry primitives shared by placement, strokes, curves and mask rasterising.
    Coordinates are image pixels, x to the right and y downwards. */

/** Euclidean distance of the x and y of two points, in single precision. */
float pointDistance (const SxPoint& a, const SxPoint& b);

/** New point halfway between a and b, with weight 1 and the further floats 0. */
SxPoint makeMidPoint (const SxPoint& a, const SxPoint& b);

/** Rescales a point (or a width/height pair) in place from sourceSize to targetSize.
    Modes: 1 stretch, 2 uniform by the larger ratio, 3 uniform by the smaller ratio,
    4 uniform by the smaller ratio and centred; any other mode leaves it unchanged.
    Sizes are (width, height) pairs carried in SxPoint's x and y. */
void scaleWithAspectMode (SxPoint& point, const SxPoint& targetSize, const SxPoint& sourceSize, int mode);

/** Integer crossing test of segments a1-a2 and b1-b2 (Graphics Gems II, "faster line
    segment intersection"). Coordinates are truncated toward zero; a touch counts,
    parallel and collinear segments do not. On true, `crossing` holds the crossing
    rounded to the nearest integer, halves away from zero. Non-finite coordinates and
    coordinates beyond ±2^40 are refused (false), so the products cannot overflow. */
bool intersectSegments (const SxPoint& a1, const SxPoint& a2, const SxPoint& b1, const SxPoint& b2, SxPoint& crossing);

/** Edge-table scan-line fill of the closed polygon into `image` with `value`.
    Edge columns are left untouched (a pixel j is written when a < j < b for a pair
    of crossings a, b) and an edge covers rows top.y .. bottom.y - 1. Rows outside
    the image are skipped without being walked, so far-away vertices cost nothing;
    the pixels written are those of the full row walk. Non-finite vertices fill nothing. */
void fillPolygon (const std::vector<SxPoint>& vertices, SxImageAlphaByte& image, unsigned char value);

/** True for the unset value (50000, 50000, -50000, -50000) and for all four fields 0. */
bool isRectUnset (const RectBounds& rect);

/** Clamps rect into bounds, edge by edge; an unset rect becomes a copy of bounds.
    A rect wholly outside collapses onto the nearest bounds edge. */
void clipRectToBounds (RectBounds& rect, const RectBounds& bounds);
