#pragma once

#include "PlatformImage.h"

#include <optional>

/** Camera raw files (CR2, NEF and the other formats LibRaw knows) developed into an
    8-bit sRGB picture with the camera's own white balance, as a desktop's image
    framework shows them. The picture is opaque and already upright (LibRaw applies the
    camera's orientation); the resolution stays 72 dpi. The camera metadata is a block
    built from what LibRaw read (make, model, time of the shot, exposure, aperture, ISO,
    focal length) with Orientation 1, so that nothing turns the picture a second time.
*/
struct RawCameraDecoder
{
    /** True for the extensions taken as camera raw ("nef", "cr2", any case). */
    static bool isRawCameraFile (const juce::File& file);

    /** Develops a raw file; nothing when LibRaw cannot open, unpack or process it. */
    static std::optional<PlatformImage> decodeFile (const juce::File& file);

    /** Develops raw data held in memory; nothing when LibRaw refuses it. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);
};
