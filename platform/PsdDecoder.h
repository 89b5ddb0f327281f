#pragma once

#include "PlatformImage.h"

#include <optional>

/** Reads the merged (flattened) picture that a layered document file keeps after its
    layers: 8-bit RGB or grayscale, stored raw or PackBits-compressed. Extra channels
    (masks, spot colours) are ignored, so the picture arrives opaque. The resolution
    resource gives the resolution, the Exif resource the camera metadata. Every length
    is checked against the data; a file cut short or a short PackBits row refuses it.
*/
struct PsdDecoder
{
    /** True when the data starts with "8BPS". */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Decodes the merged picture; nothing for other depths, modes or damaged data. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);
};
