#pragma once

#include "PixelAllocator.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

/** A decoded or to-be-written picture, independent of any framework image.

    Pixels are straight (not premultiplied) bytes in the order red, green, blue,
    alpha, rows top to bottom, width * 4 bytes each. It stands where a desktop
    imaging framework hands over a bitmap: decoders fill it, writers and printing
    read it, and the resolution and camera metadata travel with the pixels.
*/
struct PlatformImage
{
    /** Pixel bytes; sizing leaves them uncleared (allocate() clears explicitly). */
    using Bytes = std::vector<uint8_t, PixelAllocator<uint8_t>>;

    int width = 0;
    int height = 0;
    Bytes rgba;

    /** Dots per inch on each axis; 72 when the file says nothing. */
    double resolutionX = 72.0;
    double resolutionY = 72.0;

    /** The camera metadata as a JPEG APP1 payload ("Exif\0\0" and the TIFF block), or empty. */
    juce::MemoryBlock exifBlock;

    /** How the stored rows are to be turned for viewing (EXIF and TIFF orientation, 1 to 8;
        1 is upright). Codecs report what the file says; PlatformImageDecoder turns the
        pixels upright and leaves 1. */
    int orientation = 1;

    /** True when the image has pixels. */
    bool isValid() const noexcept { return width > 0 && height > 0 && rgba.size() == (size_t) width * (size_t) height * 4; }

    /** Address of the first byte of row y. */
    uint8_t* getRow (int y) noexcept { return rgba.data() + (size_t) y * (size_t) width * 4; }
    const uint8_t* getRow (int y) const noexcept { return rgba.data() + (size_t) y * (size_t) width * 4; }

    /** Sizes the image to w x h transparent black pixels; false (and no allocation) when
        the size is not positive or beyond getPixelLimit(). */
    bool allocate (int w, int h);

    /** As allocate(), without clearing: for a decoder that writes every byte or fails. */
    bool allocateForOverwrite (int w, int h);

    /** True when w x h is positive on both axes and within the pixel limit. A positive size
        beyond the limit also notes ImageRefusal::tooLarge for the file opener. */
    static bool isAcceptableSize (long long w, long long h) noexcept;

    /** Largest number of pixels a decoder will allocate. */
    static size_t getPixelLimit() noexcept;
    /** Lowers or raises the decoders' pixel limit (the fuzzers keep it small). */
    static void setPixelLimit (size_t pixels) noexcept;
};
