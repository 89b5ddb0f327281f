#include "ImageOrientation.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{
    using Pixel = uint32_t;

    constexpr int block = 64;

    /** out (height x width of in) = in with rows and columns exchanged. */
    void transpose (const PlatformImage& in, PlatformImage& out)
    {
        const auto* source = reinterpret_cast<const Pixel*> (in.rgba.data());
        auto* target = reinterpret_cast<Pixel*> (out.rgba.data());
        for (int y0 = 0; y0 < in.height; y0 += block)
            for (int x0 = 0; x0 < in.width; x0 += block)
            {
                const int y1 = std::min (y0 + block, in.height), x1 = std::min (x0 + block, in.width);
                for (int y = y0; y < y1; ++y)
                    for (int x = x0; x < x1; ++x)
                        std::memcpy (target + (size_t) x * (size_t) in.height + (size_t) y,
                                     source + (size_t) y * (size_t) in.width + (size_t) x, sizeof (Pixel));
            }
    }

    void flipHorizontally (PlatformImage& image)
    {
        for (int y = 0; y < image.height; ++y)
        {
            auto* row = reinterpret_cast<Pixel*> (image.getRow (y));
            std::reverse (row, row + image.width);
        }
    }

    void flipVertically (PlatformImage& image)
    {
        const size_t rowBytes = (size_t) image.width * 4;
        std::vector<uint8_t> spare (rowBytes);
        for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom)
        {
            std::memcpy (spare.data(), image.getRow (top), rowBytes);
            std::memcpy (image.getRow (top), image.getRow (bottom), rowBytes);
            std::memcpy (image.getRow (bottom), spare.data(), rowBytes);
        }
    }
}

bool ImageOrientation::swapsAxes (int orientation) noexcept
{
    return orientation >= 5 && orientation <= 8;
}

void ImageOrientation::makeUpright (PlatformImage& image)
{
    const int orientation = image.orientation;
    image.orientation = 1;
    if (orientation < 2 || orientation > 8 || ! image.isValid())
        return;

    if (swapsAxes (orientation))
    {
        PlatformImage turned;
        turned.width = image.height;
        turned.height = image.width;
        turned.rgba.resize (image.rgba.size());
        transpose (image, turned);
        image.rgba = std::move (turned.rgba);
        std::swap (image.width, image.height);
        std::swap (image.resolutionX, image.resolutionY);
    }
    if (orientation == 2 || orientation == 3 || orientation == 6 || orientation == 7)
        flipHorizontally (image);
    if (orientation == 3 || orientation == 4 || orientation == 7 || orientation == 8)
        flipVertically (image);
}
