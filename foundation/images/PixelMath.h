#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

/** Small pixel helpers shared by the image buffers and the image algorithms. */
namespace PixelMath
{
    /** Truncation toward zero of a value that may lie far outside int (limited to ±1e9)
        or be NaN (giving 0), where a plain cast would be undefined. */
    inline int truncSaturated (double v) noexcept
    {
        return v != v ? 0 : (int) (v < -1.0e9 ? -1.0e9 : v > 1.0e9 ? 1.0e9 : v);
    }

    /** x / 255 rounded to nearest, exact for 0 <= x <= 255 * 255. */
    constexpr int div255Round (int x) noexcept { return (x + ((x + 128) >> 8) + 128) >> 8; }

    /** Packs the bytes alpha, red, green, blue into the colour word B<<24 | G<<16 | R<<8 | A. */
    constexpr uint32_t makeWord (uint8_t a, uint8_t r, uint8_t g, uint8_t b) noexcept
    {
        return (uint32_t) b << 24 | (uint32_t) g << 16 | (uint32_t) r << 8 | (uint32_t) a;
    }

    constexpr uint8_t wordAlpha (uint32_t w) noexcept { return (uint8_t) w; }
    constexpr uint8_t wordRed (uint32_t w) noexcept { return (uint8_t) (w >> 8); }
    constexpr uint8_t wordGreen (uint32_t w) noexcept { return (uint8_t) (w >> 16); }
    constexpr uint8_t wordBlue (uint32_t w) noexcept { return (uint8_t) (w >> 24); }

    /** Largest pixel count an image may have: byte offsets of 4-byte pixels stay within int32. */
    constexpr size_t maxPixelCount = 0x7fffffff / 4;

    /** Bytes of a width x height image with the given bytes per pixel, computed without
        wrapping. Negative or absurd sizes throw std::bad_alloc, as a failed allocation would. */
    inline size_t checkedImageBytes (int width, int height, int bytesPerPixel)
    {
        if (width < 0 || height < 0)
            throw std::bad_alloc();
        const size_t pixels = (size_t) width * (size_t) height;
        if (pixels > maxPixelCount)
            throw std::bad_alloc();
        return pixels * (size_t) bytesPerPixel;
    }
}
