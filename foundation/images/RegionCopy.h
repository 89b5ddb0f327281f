#pragma once

#include "RectBounds.h"
#include "SxPoint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

/** RegionCopy::copyBytes, the unscaled copy of a rectangle between packed pixel buffers, shared by the image
    classes' region copies and the resampling that falls back to them.

    The shift from source to destination is d = trunc(trunc(point) - rect.left) per axis;
    the copy covers destination columns max(trunc(point.x), 0, dx) through
    min(trunc(dx + rect.right), destination width - 1, dx + source width - 1), rows
    likewise, so it never leaves either buffer. Non-finite input copies nothing; source and
    destination may be the same buffer. Cost: one memmove per row (one for the whole image
    when both have the same size and the rectangle covers them).
*/
namespace RegionCopy
{
    void copyBytes (uint8_t* destination, int destinationWidth, int destinationHeight,
                    const uint8_t* source, int sourceWidth, int sourceHeight, int bytesPerPixel,
                    const RectBounds& sourceRect, const SxPoint& destinationPoint) noexcept;

    /** A coordinate truncated toward zero after clamping to +-1e9: far beyond any image
        side, small enough that sums of two stay inside int32. NaN gives 0. */
    inline int truncCoordinate (float v) noexcept
    {
        constexpr float limit = 1.0e9f;
        return v != v ? 0 : (int) std::trunc (std::clamp (v, -limit, limit));
    }

    /** True when all four fields are finite. */
    inline bool isFinite (const RectBounds& r) noexcept
    {
        return std::isfinite (r.left) && std::isfinite (r.top) && std::isfinite (r.right) && std::isfinite (r.bottom);
    }
}
