#include "BrushDabs.h"

#include "PixelMath.h"
#include "SxBrush.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <algorithm>
#include <cmath>

namespace
{
    int mul255 (int a, int b) noexcept { return PixelMath::div255Round (a * b); }

    // The low byte of a truncated product, as the strength arithmetic keeps it; values
    // an integer cannot hold count as 0.
    int lowByte (double v) noexcept
    {
        if (! std::isfinite (v) || std::abs (v) > 4.0e18)
            return 0;
        return (int) ((int64_t) v & 0xff);
    }

    /** The target pixels a stamp of sw x sh centred on the point covers, clipped to the target. */
    struct DabArea
    {
        int left = 0, top = 0;               // target position of the stamp's first column and row
        int col0 = 0, col1 = -1, row0 = 0, row1 = -1;   // inclusive, inside the target
        bool isEmpty() const noexcept { return col0 > col1 || row0 > row1; }
    };

    DabArea placeDab (const SxPoint& point, int sw, int sh, int targetWidth, int targetHeight)
    {
        DabArea area;
        if (! std::isfinite (point.x) || ! std::isfinite (point.y))
            return area;

        // Far-away points only need to stay far away; the clamp keeps the arithmetic in int.
        constexpr float limit = 1.0e9f;
        auto edge = [limit] (float v) { return (int) std::clamp (std::trunc (v), -limit, limit); };
        const float halfW = (float) sw / 2.0f, halfH = (float) sh / 2.0f;
        area.left = edge (point.x - halfW);
        area.top = edge (point.y - halfH);
        const int right = edge (point.x + halfW), bottom = edge (point.y + halfH);

        area.col0 = std::max (area.left, 0);
        area.col1 = std::min ({ right, targetWidth - 1, area.left + sw - 1 });
        area.row0 = std::max (area.top, 0);
        area.row1 = std::min ({ bottom, targetHeight - 1, area.top + sh - 1 });
        return area;
    }

    /** Selection byte at the mask's own pixel; 255 without a selection, 0 outside it. */
    int selectionAt (const SxImageAlphaByte* selection, int col, int row) noexcept
    {
        if (selection == nullptr)
            return 255;
        if (col >= selection->width || row >= selection->height)
            return 0;
        return selection->getRowPointer (row)[col];
    }

    /** Selection byte for a colour target of the given width: direct when the widths
        match, else bilinear at the ratio of the widths. */
    int selectionForColour (const SxImageAlphaByte* selection, int col, int row, int targetWidth) noexcept
    {
        if (selection == nullptr)
            return 255;
        if (selection->width == targetWidth)
            return selectionAt (selection, col, row);
        if (selection->width <= 0 || selection->height <= 0)
            return 0;

        const float r = (float) selection->width / (float) targetWidth;
        const float sx = (float) col * r, sy = (float) row * r;
        const int p = std::min ((int) sx, selection->width - 1);
        const int q = std::min ((int) sy, selection->height - 1);
        const int p1 = std::min (p + 1, selection->width - 1);
        const int q1 = std::min (q + 1, selection->height - 1);
        const int fx = (int) ((sx - (float) p) * 256.0f);
        const int fy = (int) ((sy - (float) q) * 256.0f);

        const uint8_t* upper = selection->getRowPointer (q);
        const uint8_t* lower = selection->getRowPointer (q1);
        const int top = (upper[p] * (256 - fx) + upper[p1] * fx + 127) >> 8;
        const int bottom = (lower[p] * (256 - fx) + lower[p1] * fx + 127) >> 8;
        return ((256 - fy) * top + fy * bottom + 127) >> 8;
    }
}

void stampColorDab (SxImageRgbaBytes& target, const SxImageAlphaByte* selection, const SxPoint& point,
                    uint32_t colour, SxBrush& brush, float stampScale)
{
    const SxImageAlphaByte* stamp = brush.getScaledStamp (stampScale);
    if (stamp == nullptr)
        return;
    const auto area = placeDab (point, stamp->width, stamp->height, target.width, target.height);

    const int colourAlpha = PixelMath::wordAlpha (colour);
    const int colourChannels[3] = { PixelMath::wordRed (colour), PixelMath::wordGreen (colour), PixelMath::wordBlue (colour) };

    for (int row = area.row0; row <= area.row1; ++row)
    {
        const uint8_t* stampRow = stamp->getRowPointer (row - area.top);
        uint8_t* pixel = target.getRowPointer (row) + (size_t) area.col0 * 4;
        for (int col = area.col0; col <= area.col1; ++col, pixel += 4)
        {
            const int k = stampRow[col - area.left];
            if (k == 0)
                continue;
            const int s = selectionForColour (selection, col, row, target.width);
            if (s == 0)
                continue;

            const int t = lowByte (std::trunc ((float) mul255 (s, k) * point.weight));
            const int c = mul255 (t, colourAlpha);
            if (c == 0)
                continue;
            if (c == 255)
            {
                pixel[0] = (uint8_t) colourAlpha;
                for (int i = 0; i < 3; ++i)
                    pixel[i + 1] = (uint8_t) colourChannels[i];
                continue;
            }

            const int d = mul255 (pixel[0], 255 - c);
            const float reciprocal = 1.0f / (float) (c + d);
            pixel[0] = (uint8_t) (c + d);
            for (int i = 0; i < 3; ++i)
                pixel[i + 1] = (uint8_t) (int) ((float) (c * colourChannels[i] + d * pixel[i + 1]) * reciprocal);
        }
    }
}

namespace
{
    /** Calls apply (maskByte, selection x stamp coverage) for every mask pixel under the
        stamp placed at the point where both the stamp and the selection are non-zero. */
    template <typename Apply>
    void forEachCoveredPixel (SxImageAlphaByte& mask, const SxImageAlphaByte* selection, const SxPoint& point,
                              const SxImageAlphaByte& stamp, Apply&& apply)
    {
        const auto area = placeDab (point, stamp.width, stamp.height, mask.width, mask.height);
        for (int row = area.row0; row <= area.row1; ++row)
        {
            const uint8_t* stampRow = stamp.getRowPointer (row - area.top);
            uint8_t* out = mask.getRowPointer (row);
            for (int col = area.col0; col <= area.col1; ++col)
            {
                const int k = stampRow[col - area.left];
                const int s = k == 0 ? 0 : selectionAt (selection, col, row);
                if (s != 0)
                    apply (out[col], mul255 (s, k));
            }
        }
    }
}

void stampPaintDab (SxImageAlphaByte& mask, const SxImageAlphaByte* selection, const SxPoint& point,
                    int strength, SxBrush& brush, float stampScale)
{
    const SxImageAlphaByte* stamp = brush.getScaledStamp (stampScale);
    if (stamp == nullptr)
        return;
    forEachCoveredPixel (mask, selection, point, *stamp, [&] (uint8_t& out, int coverage)
    {
        const int v = lowByte (std::trunc ((float) coverage / 255.0f * (float) strength));
        const int w = lowByte (std::trunc ((float) v * point.weight));
        out = (uint8_t) (out + w * (255 - out) / 255);
    });
}

void stampEraseDab (SxImageAlphaByte& mask, const SxImageAlphaByte* selection, const SxPoint& point,
                    SxBrush& brush, float factor)
{
    const SxImageAlphaByte* stamp = brush.getScaledStamp (1.0f);
    if (stamp == nullptr)
        return;
    forEachCoveredPixel (mask, selection, point, *stamp, [&] (uint8_t& out, int coverage)
    {
        const float v = std::trunc ((float) out - (float) coverage * factor * point.weight);
        out = (uint8_t) (v > 255.0f ? 255 : v >= 1.0f ? (int) v : 0);
    });
}
