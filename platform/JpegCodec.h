#pragma once

#include "PlatformImage.h"

#include <optional>

/** JPEG reading and writing on libjpeg.

    Both directions run under an error manager that jumps back out of libjpeg instead
    of ending the process, so corrupt data, oversize markers or a failing allocation
    give a clean refusal. Reading keeps the Exif APP1 block and its orientation, and takes
    the resolution per axis from the JFIF density, else from the Exif resolution, else 72;
    writing records the density and copies application markers.
*/
struct JpegCodec
{
    /** One marker to copy into a written file. */
    struct Marker
    {
        int code = 0;
        juce::MemoryBlock data;
    };

    /** What a written file carries besides the pixels. */
    struct WriteSettings
    {
        /** libjpeg quality, 1 to 100 (limited to that range). */
        int quality = 85;
        /** JFIF density in dots per inch (limited to 1 .. 65535). */
        double densityX = 72.0;
        double densityY = 72.0;
        /** Written in order after the JFIF header. Only application markers (APP0 to
            APP15) and comments are written, and only when their data fits a marker. */
        std::vector<Marker> markers;
    };

    /** Largest data a single marker can carry (its 16-bit length counts itself). */
    static constexpr size_t maxMarkerData = 65533;

    /** True when the data starts like a JPEG stream (FF D8 FF). */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Decodes baseline or progressive JPEG in gray, YCbCr, RGB or CMYK; nothing for
        data libjpeg refuses or an image beyond the pixel limit. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);

    /** A density in dots per inch as the 16-bit JFIF field holds it. */
    static uint16_t clampDensity (double dotsPerInch) noexcept;

    /** Writes the image's colour (alpha ignored) as a three-component JPEG with density
        unit 1 (dots per inch). Returns false and writes nothing on failure. */
    static bool encode (const PlatformImage& image, const WriteSettings& settings, juce::OutputStream& out);
};
