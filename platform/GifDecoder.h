#pragma once

#include "PlatformImage.h"

#include <optional>

/** GIF reading: the first frame, at the frame's own size, with its transparent
    colour as alpha 0.

    The LZW decoder is the system's own: every code, table entry and block length is
    checked, and data that ends before the frame is complete refuses the file.
*/
struct GifDecoder
{
    /** True for "GIF87a" and "GIF89a". */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Decodes the first frame; nothing for damaged or truncated data. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);
};
