#pragma once

#include "PlatformImage.h"

#include <optional>

/** TIFF reading on libtiff, straight from memory.

    8-bit contiguous RGB and RGBA strips are read row by row as they are stored; every
    other layout libtiff knows goes through its RGBA interface. Either way the pixels
    arrive with straight alpha, in stored order, with the Orientation tag in the image's
    orientation. The first directory is the image; its resolution tags become the
    resolution (per axis), its descriptive tags and Exif directories the camera metadata
    (TiffExifReader). libtiff's messages are silenced.
*/
struct TiffDecoder
{
    /** True for the little- and big-endian TIFF signatures. */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Decodes the first image of TIFF data; nothing when libtiff refuses it. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);
};
