#include "RegionCopy.h"

#include <cstring>

void RegionCopy::copyBytes (uint8_t* destination, int destinationWidth, int destinationHeight,
                            const uint8_t* source, int sourceWidth, int sourceHeight, int bytesPerPixel,
                            const RectBounds& r, const SxPoint& point) noexcept
{
    if (destination == nullptr || source == nullptr || ! isFinite (r)
        || ! std::isfinite (point.x) || ! std::isfinite (point.y))
        return;

    const int px = truncCoordinate (point.x), py = truncCoordinate (point.y);
    const int dx = truncCoordinate ((float) px - r.left), dy = truncCoordinate ((float) py - r.top);

    const int64_t xEnd = std::min<int64_t> ({ truncCoordinate ((float) dx + r.right), destinationWidth - 1, (int64_t) dx + sourceWidth - 1 });
    const int64_t yEnd = std::min<int64_t> ({ truncCoordinate ((float) dy + r.bottom), destinationHeight - 1, (int64_t) dy + sourceHeight - 1 });
    const int xStart = std::max ({ px, 0, dx });
    const int yStart = std::max ({ py, 0, dy });
    if (xStart > xEnd || yStart > yEnd)
        return;

    const size_t bpp = (size_t) bytesPerPixel;
    if (destinationWidth == sourceWidth && destinationHeight == sourceHeight && xStart == 0 && yStart == 0
        && xEnd == destinationWidth - 1 && yEnd == destinationHeight - 1 && px == 0 && py == 0)
    {
        std::memmove (destination, source, (size_t) destinationWidth * (size_t) destinationHeight * bpp);
        return;
    }

    const size_t rowBytes = (size_t) (xEnd - xStart + 1) * bpp;
    for (int y = yStart; y <= yEnd; ++y)
        std::memmove (destination + ((size_t) y * (size_t) destinationWidth + (size_t) xStart) * bpp,
                      source + ((size_t) (y - dy) * (size_t) sourceWidth + (size_t) (xStart - dx)) * bpp,
                      rowBytes);
}
