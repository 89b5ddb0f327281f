#pragma once

#include "PixelMath.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

/** The packed form of an image inside a property set and in older project files.

    Uncompressed, a blob is one flag byte (non-zero: each four-byte pixel is stored with
    its bytes reversed; writers store 0), the width and the height as 16-bit
    little-endian values, then the pixel rows. It is kept zlib-compressed (RFC 1950,
    level 9); inside a set the compressed bytes are the framework's base-64 memory-block
    text under the image's key followed by "_data".

    Sides are read as unsigned 16-bit values, so writers refuse images wider or taller
    than 65,535. Readers never allocate more than the compressed data present could
    inflate to, so a damaged or hostile size cannot trigger a huge allocation.
*/
class ImageBlob
{
public:
    /** Largest width or height the 16-bit fields hold. */
    static constexpr int maxSide = 65535;

    /** Pixel memory from malloc, as the image buffers free it. */
    struct FreeDeleter { void operator() (uint8_t* p) const noexcept { std::free (p); } };
    using PixelMemory = std::unique_ptr<uint8_t, FreeDeleter>;

    /** The blob read back from a compressed source. */
    struct Content
    {
        enum class Result
        {
            noWidth,    ///< the width was missing or 0
            noHeight,   ///< the width arrived, the height was missing or 0
            complete,   ///< pixels allocated; bytes that did not arrive are zero
            refused     ///< the size exceeds what the data or the image limits allow
        };

        Result result = Result::noWidth;
        bool pixelsByteReversed = false;
        int width = 0;
        int height = 0;
        PixelMemory pixels;   ///< width * height * bytesPerPixel bytes when complete
        /** Complete, but the data ended before every pixel byte arrived. */
        bool cut = false;
        /** Complete, and more bytes follow the pixels: the sides do not describe the data
            (damage, or an image too large for the 16-bit fields). */
        bool trailingBytes = false;
    };

    /** The key under which the entry of an image stored under key lies. */
    static juce::String entryKey (const juce::String& key) { return key + "_data"; }

    /** The zlib-compressed blob of an image; false (and nothing written) when a side
        is negative or above maxSide. */
    static bool compress (juce::MemoryBlock& destination, int width, int height,
                          const uint8_t* pixels, int bytesPerPixel);

    /** Writes the image entry under key + "_data"; false (and the set unchanged) when
        the image cannot be stored. */
    static bool writeEntry (juce::PropertySet& set, const juce::String& key, int width, int height,
                            const uint8_t* pixels, int bytesPerPixel);

    /** Inflates a blob from the compressed bytes at the source's position. A colour
        blob (4 bytes per pixel) with the reversed flag comes back in memory order; a
        size of more than maxPixels pixels is refused before anything is allocated. */
    static Content read (juce::InputStream& compressedSource, int bytesPerPixel,
                         size_t maxPixels = PixelMath::maxPixelCount);

    /** The compressed bytes of the entry under key + "_data"; false when it is missing
        or empty. */
    static bool readEntryBytes (const juce::PropertySet& set, const juce::String& key, juce::MemoryBlock& destination);

    /** Decodes the framework's memory-block base-64 text; the byte count it announces
        is capped at what its characters can hold. */
    static bool decodeBase64 (const juce::String& text, juce::MemoryBlock& destination);
};
