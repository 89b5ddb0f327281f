#pragma once

#include "PlatformImage.h"

#include <optional>

/** JPEG 2000 files (".jp2") on openjpeg.

    Writing encodes 8-bit RGB or RGBA (alpha marked as opacity in the channel definition)
    in tiles of at most 2048 x 2048, so that memory stays near one tile's worth however
    large the picture, on all cores (openjpeg's code-block threads give the same bytes
    as one thread). Quality 100 is lossless: the reversible 5/3 wavelet and no rate
    limit. Below 100 the irreversible 9/7 wavelet runs at a compression ratio that grows
    geometrically as quality falls: 3:1 at 99, about 7:1 at 80, 24:1 at 50, 200:1 at 0
    (compressionRatio). openjpeg writes neither resolution nor camera metadata, so both
    are patched into its output: a resolution box ('res ' holding 'resc', pixels per
    metre) at the end of the JP2 header box, and the Exif block as the usual 'uuid' box
    ("JpgTiffExif->JP2", then the TIFF structure) right after it.

    Reading is there for tests and tools that check written files: no open road lists
    jp2. It decodes 1 to 4 components of equal size (gray, gray and alpha, RGB, RGBA) of
    any precision up to 16 bits and reads the resolution and Exif boxes back.
*/
struct Jpeg2000Codec
{
    /** What a written file carries besides the pixels (the image's resolution and Exif
        block come with the image). */
    struct WriteSettings
    {
        /** 0 to 100 (limited to that range); 100 is lossless. */
        int quality = 80;
        /** False writes three components and drops the alpha. */
        bool withAlpha = true;
        /** Encoder threads; 0 for one per core. Any count gives the same bytes. */
        int threads = 0;
    };

    /** The compression ratio (raw size : coded size) openjpeg is asked for at a quality
        below 100: 3 * (200 / 3) ^ ((99 - quality) / 99); 0, meaning lossless, at 100. */
    static double compressionRatio (int quality) noexcept;

    /** True when the data starts with the JP2 signature box. */
    static bool hasSignature (const void* data, size_t size) noexcept;

    /** Writes the image; false and nothing written on failure (an openjpeg error or an
        image beyond the format's limits). */
    static bool encode (const PlatformImage& image, const WriteSettings& settings, juce::OutputStream& out);

    /** Decodes a JP2 file; nothing for data openjpeg refuses or an image beyond the
        pixel limit. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);
};
