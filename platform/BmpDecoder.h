#pragma once

#include "PlatformImage.h"

#include <optional>

/** Windows bitmap reading.

    Uncompressed 1-, 4-, 8-, 16-, 24- and 32-bit bitmaps (core and info headers,
    bottom-up or top-down, bit-field masks for 16 and 32 bits). Run-length compressed
    bitmaps are refused. A 32-bit bitmap whose alpha bytes are all zero is taken as
    opaque, as most writers leave that byte unused. Every offset and row is checked
    against the data before it is read.
*/
struct BmpDecoder
{
    /** True when the data starts with "BM". */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Decodes a bitmap; nothing for data that is not one this reader supports. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);
};
