#pragma once

#include <juce_core/juce_core.h>

#include <optional>

class SxImageRgbaBytes;

/** Saves a painting as an image file of one of the four save types, with the document's
    resolution and the opened photograph's camera metadata.

    JPEG is flattened onto white; JPEG 2000, PNG and TIFF keep the alpha, and write none
    when every pixel is opaque. The camera metadata is carried as ExifMetadata prepares
    it (every tag and the maker note kept; Orientation 1, the written size and
    resolution, no thumbnail). A JPEG marker holds at most 64 KB: metadata still larger
    is left out of a JPEG and the omission logged. The file is encoded in memory and then
    replaces the target all at once (AtomicFileWriter): a failure leaves an existing file
    as it was and no temporary file behind.
*/
namespace ImageFileWriter
{
    enum class FileType
    {
        jpeg,
        jpeg2000,
        png,
        tiff
    };

    /** What a saved file carries besides the pixels. */
    struct Options
    {
        FileType type = FileType::jpeg;
        /** 0 to 100, the save panel's slider: JPEG quality (libjpeg's scale, 0 counting as
            1); for JPEG 2000 100 is lossless and lower values a compression ratio
            (Jpeg2000Codec::compressionRatio). PNG and TIFF ignore it. */
        int quality = 80;
        /** Dots per inch; values that are not positive count as 72. */
        double resolutionX = 72.0;
        double resolutionY = 72.0;
        /** The opened file's camera metadata (a JPEG APP1 payload), or empty for none. */
        juce::MemoryBlock exif;
    };

    /** The type a file name asks for, by its extension in any case: "jpg" and "jpeg"
        JPEG, "jp2" JPEG 2000, "png" PNG, "tif" and "tiff" TIFF; nothing for others. */
    std::optional<FileType> typeForFile (const juce::File& file);

    /** Encodes the painting into out; on failure out is unchanged and the result says why. */
    juce::Result encode (const SxImageRgbaBytes& painting, const Options& options, juce::MemoryBlock& out);

    /** Encodes the painting and replaces the target with it; on failure the target is left
        as it was and the result says why, in words for the user. */
    juce::Result write (const SxImageRgbaBytes& painting, const juce::File& target, const Options& options);
}
