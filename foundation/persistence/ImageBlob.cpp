#include "ImageBlob.h"

#include "PixelMath.h"

#include <algorithm>

namespace
{
    /** Deflate cannot expand beyond about 1032 bytes per compressed byte; any size
        claimed beyond that is not backed by the data. */
    size_t maxInflatedBytes (int64_t compressedBytes) noexcept
    {
        return (size_t) std::max<int64_t> (compressedBytes, 0) * 1032 + 64;
    }

    bool readSide (juce::InputStream& in, int& side)
    {
        uint8_t bytes[2];
        if (in.read (bytes, 2) != 2)
            return false;
        side = bytes[0] | bytes[1] << 8;
        return side != 0;
    }
}

bool ImageBlob::compress (juce::MemoryBlock& destination, int width, int height,
                          const uint8_t* pixels, int bytesPerPixel)
{
    if (width < 0 || height < 0 || width > maxSide || height > maxSide)
        return false;
    const size_t numBytes = (size_t) width * (size_t) height * (size_t) bytesPerPixel;
    if (numBytes > 0 && pixels == nullptr)
        return false;

    juce::MemoryOutputStream memory (256);
    {
        juce::GZIPCompressorOutputStream zlib (memory, 9);
        bool ok = zlib.writeByte (0)
               && zlib.writeShort ((short) (uint16_t) width)
               && zlib.writeShort ((short) (uint16_t) height);
        if (ok && numBytes > 0)
            ok = zlib.write (pixels, numBytes);
        zlib.flush();
        if (! ok)
            return false;
    }
    destination = memory.getMemoryBlock();
    return true;
}

bool ImageBlob::writeEntry (juce::PropertySet& set, const juce::String& key, int width, int height,
                            const uint8_t* pixels, int bytesPerPixel)
{
    juce::MemoryBlock compressed;
    if (key.isEmpty() || ! compress (compressed, width, height, pixels, bytesPerPixel))
        return false;
    set.setValue (entryKey (key), compressed.toBase64Encoding());
    return true;
}

ImageBlob::Content ImageBlob::read (juce::InputStream& compressedSource, int bytesPerPixel, size_t maxPixels)
{
    Content content;
    const auto start = compressedSource.getPosition();
    juce::GZIPDecompressorInputStream inflated (compressedSource);

    uint8_t flag = 0;
    if (inflated.read (&flag, 1) == 1)
        content.pixelsByteReversed = flag != 0;

    if (! readSide (inflated, content.width))
        return content;
    if (! readSide (inflated, content.height))
    {
        content.result = Content::Result::noHeight;
        return content;
    }

    content.result = Content::Result::refused;
    const size_t pixelCount = (size_t) content.width * (size_t) content.height;
    if (pixelCount > std::min (maxPixels, PixelMath::maxPixelCount))
        return content;
    const size_t wanted = pixelCount * (size_t) bytesPerPixel;

    // Storage grows with the bytes that arrive, never to a size the data cannot back.
    size_t capacity = std::min<size_t> (wanted, 1 << 20);
    size_t got = 0;
    PixelMemory pixels (static_cast<uint8_t*> (std::malloc (capacity)));
    if (pixels == nullptr)
        return content;
    const auto resize = [&pixels] (size_t bytes)
    {
        auto* grown = static_cast<uint8_t*> (std::realloc (pixels.get(), bytes));
        if (grown == nullptr)
            return false;
        pixels.release();
        pixels.reset (grown);
        return true;
    };

    while (got < wanted)
    {
        if (got == capacity)
        {
            capacity = std::min (wanted, capacity * 2);
            if (! resize (capacity))
                return content;
        }
        const int n = inflated.read (pixels.get() + got, (int) std::min<size_t> (capacity - got, 1 << 30));
        if (n <= 0)
            break;
        got += (size_t) n;
    }

    if (got < wanted)
    {
        // A cut stream keeps the pixels that arrived and zeroes the rest, as long as
        // the compressed bytes present could have held the whole image.
        if (wanted > maxInflatedBytes (compressedSource.getPosition() - start))
            return content;
        if (! resize (wanted))
            return content;
        std::fill (pixels.get() + got, pixels.get() + wanted, (uint8_t) 0);
        content.cut = true;
    }
    else
    {
        uint8_t extra = 0;
        content.trailingBytes = inflated.read (&extra, 1) == 1;
    }

    if (content.pixelsByteReversed && bytesPerPixel == 4)
        for (size_t i = 0; i < wanted; i += 4)
            std::reverse (pixels.get() + i, pixels.get() + i + 4);

    content.pixels = std::move (pixels);
    content.result = Content::Result::complete;
    return content;
}

bool ImageBlob::readEntryBytes (const juce::PropertySet& set, const juce::String& key, juce::MemoryBlock& destination)
{
    const auto text = set.getValue (entryKey (key));
    if (text.isEmpty())
        return false;
    decodeBase64 (text, destination);
    return true;
}

bool ImageBlob::decodeBase64 (const juce::String& text, juce::MemoryBlock& destination)
{
    const int dot = text.indexOfChar ('.');
    if (dot < 0)
        return false;

    // The framework allocates whatever count the text announces; cap it at what the
    // characters after the dot can encode (6 bits each).
    const int announced = text.substring (0, dot).getIntValue();
    const auto characters = (int64_t) text.length() - dot - 1;
    const auto capacity = characters * 6 / 8;
    if (announced >= 0 && announced <= capacity)
        return destination.fromBase64Encoding (text);

    const auto capped = (int) juce::jlimit<int64_t> (0, capacity, announced);
    return destination.fromBase64Encoding (juce::String (capped) + text.substring (dot));
}
