#pragma once

#include "RectBounds.h"

#include <algorithm>
#include <cmath>

/** Half-open pixel loop bounds [x0, x1) x [y0, y1), always inside the images they were
    clipped to. Rectangle operations build one from the caller's RectBounds and clip it
    to every image they touch, so a rectangle or image of the wrong size never reads or
    writes outside a buffer; where everything fits, the loops are the unclipped ones. */
struct ImageSpan
{
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;

    bool isEmpty() const noexcept { return x0 >= x1 || y0 >= y1; }
    int columns() const noexcept { return isEmpty() ? 0 : x1 - x0; }

    /** Columns 0..w-1 and rows 0..h-1. */
    static ImageSpan whole (int w, int h) noexcept { return ImageSpan { 0, std::max (w, 0), 0, std::max (h, 0) }; }

    /** The rectangle loop rule: first column trunc(left), columns while x <= right
        (compared as floats); likewise rows. A null rectangle gives whole (w, h).
        The result is clipped to w x h. */
    static ImageSpan fromRect (const RectBounds* r, int w, int h) noexcept
    {
        if (r == nullptr)
            return whole (w, h);
        return ImageSpan { startOf (r->left), endAfter (r->right), startOf (r->top), endAfter (r->bottom) }.clippedTo (w, h);
    }

    /** Both ends truncated toward zero and included; clipped to w x h. */
    static ImageSpan inclusive (const RectBounds& r, int w, int h) noexcept
    {
        return ImageSpan { startOf (r.left), startOf (r.right) + 1, startOf (r.top), startOf (r.bottom) + 1 }.clippedTo (w, h);
    }

    ImageSpan clippedTo (int w, int h) const noexcept
    {
        ImageSpan s { std::max (x0, 0), std::min (x1, w), std::max (y0, 0), std::min (y1, h) };
        if (s.isEmpty())
            return {};
        return s;
    }

private:
    static constexpr double limit = 1.0e9;

    static int startOf (float v) noexcept
    {
        if (std::isnan (v))
            return (int) limit;
        return (int) std::trunc (std::clamp ((double) v, -limit, limit));
    }

    static int endAfter (float v) noexcept
    {
        if (std::isnan (v))
            return -(int) limit;
        return (int) std::floor (std::clamp ((double) v, -limit, limit)) + 1;
    }
};
