#include "PlatformImage.h"

#include "ImageRefusal.h"

#include <atomic>

namespace
{
    // 256 megapixels (1 GiB of RGBA) is well above any camera of today and keeps a hostile
    // header from asking for more than a desktop can give.
    std::atomic<size_t> pixelLimit { (size_t) 1 << 28 };

    // Each side must fit the 16-bit fields of the framework's image loaders and writers.
    constexpr long long maxSide = 65535;
}

bool PlatformImage::isAcceptableSize (long long w, long long h) noexcept
{
    if (w <= 0 || h <= 0)
        return false;
    if (w <= maxSide && h <= maxSide && (size_t) (w * h) <= getPixelLimit())
        return true;
    ImageRefusalNote::note (ImageRefusal::tooLarge);
    return false;
}

size_t PlatformImage::getPixelLimit() noexcept
{
    return pixelLimit.load();
}

void PlatformImage::setPixelLimit (size_t pixels) noexcept
{
    pixelLimit.store (pixels);
}

bool PlatformImage::allocate (int w, int h)
{
    if (! isAcceptableSize (w, h))
        return false;
    rgba.assign ((size_t) w * (size_t) h * 4, 0);
    width = w;
    height = h;
    return true;
}

bool PlatformImage::allocateForOverwrite (int w, int h)
{
    if (! isAcceptableSize (w, h))
        return false;
    rgba.resize ((size_t) w * (size_t) h * 4);
    width = w;
    height = h;
    return true;
}
