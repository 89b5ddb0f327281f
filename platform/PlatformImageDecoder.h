#pragma once

#include "ImageRefusal.h"
#include "PlatformImage.h"

#include <optional>

/** Turns image files into PlatformImage values, as the desktop's image framework
    would: PNG, JPEG, GIF, TIFF, BMP and layered-document files are recognised by
    their first bytes, camera raw files ("nef", "cr2") by their extension. Pixels
    arrive upright: the JPEG and PNG Exif orientation and the TIFF Orientation tag are
    applied (ImageOrientation), with the resolution's axes following a quarter turn.
*/
struct PlatformImageDecoder
{
    /** Decodes image data of any of the formats recognised by content; nothing when
        the data is none of them or its decoder refuses it. */
    static std::optional<PlatformImage> decode (const void* data, size_t size);

    /** Decodes a file. Nothing when the file cannot be read; an empty (0 x 0) image
        when it was read but holds no picture this decoder understands. */
    static std::optional<PlatformImage> decodeFile (const juce::File& file);

    /** A file's picture, or why there is none. */
    struct OpenedFile
    {
        std::optional<PlatformImage> image;
        ImageRefusal refusal = ImageRefusal::none;
    };

    /** Decodes a file and says why it refused: unreadable, not an image, damaged, an
        unsupported kind or too large (also when memory runs out while decoding). */
    static OpenedFile openFile (const juce::File& file);
};
