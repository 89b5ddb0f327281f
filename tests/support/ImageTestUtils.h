#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <random>

/** Small helpers shared by the image tests; templates so that this support folder needs
    none of the libraries under test. Image is any buffer with pixels, width and height
    and BytesPerPixel bytes per pixel. */
namespace sxtest
{
    using PixelBytes = std::array<uint8_t, 4>; // alpha, red, green, blue

    template <typename Image>
    size_t byteCount (const Image& image, int bytesPerPixel = 4)
    {
        return (size_t) image.width * (size_t) image.height * (size_t) bytesPerPixel;
    }

    /** Every byte from a fixed-seed generator, so a failing case can be replayed. */
    template <typename Image>
    void fillRandom (Image& image, unsigned seed, int bytesPerPixel = 4)
    {
        std::mt19937 rng (seed);
        for (size_t i = 0; i < byteCount (image, bytesPerPixel); ++i)
            image.pixels[i] = (uint8_t) rng();
    }

    /** FNV-1a over every byte: a short golden of an exact result. */
    template <typename Image>
    uint64_t byteHash (const Image& image, int bytesPerPixel = 4)
    {
        uint64_t h = 1469598103934665603ull;
        for (size_t i = 0; i < byteCount (image, bytesPerPixel); ++i)
            h = (h ^ image.pixels[i]) * 1099511628211ull;
        return h;
    }

    template <typename Image>
    bool sameBytes (const Image& a, const Image& b, int bytesPerPixel = 4)
    {
        return a.width == b.width && a.height == b.height
            && std::memcmp (a.pixels, b.pixels, byteCount (a, bytesPerPixel)) == 0;
    }

    template <typename Image>
    PixelBytes pixelAt (const Image& image, int x, int y)
    {
        PixelBytes p;
        std::memcpy (p.data(), image.getRowPointer (y) + x * 4, 4);
        return p;
    }
}
