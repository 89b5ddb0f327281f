#pragma once

#include "PlatformImage.h"

#include <optional>

/** PNG reading and writing on libpng.

    Reading goes through libpng's simplified interface (8-bit straight RGBA out of
    every colour type and depth) and picks the resolution from the pHYs chunk (a value
    within one pixel-per-metre step of a whole dpi reads as that whole dpi) and the
    camera metadata with its orientation from the eXIf chunk. Writing records the
    resolution in pHYs, which the framework's writer leaves out, and the image's camera
    metadata in eXIf. Both refuse cleanly on any libpng error; nothing is written on failure.
*/
struct PngCodec
{
    /** True when the data starts with the PNG signature. */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Decodes PNG data; nothing for data that is not a complete PNG or is too large. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);

    /** Pixels per metre as written for a resolution in dots per inch: trunc(dpi * 39.3701),
        limited to the chunk's range. */
    static uint32_t pixelsPerMetre (double dotsPerInch) noexcept;

    /** Writes the image as 8-bit RGB (withAlpha false) or RGBA, with a pHYs chunk in pixels
        per metre from the image's resolution and, when the image has an Exif block, an eXIf
        chunk of its TIFF structure. Returns false and writes nothing on failure. Large
        images are deflated by up to `threads` threads (0: all cores; ParallelDeflate);
        small ones, and threads = 1, go through libpng's own single-threaded writer. */
    static bool encode (const PlatformImage& image, bool withAlpha, juce::OutputStream& out, int threads = 0);
};
