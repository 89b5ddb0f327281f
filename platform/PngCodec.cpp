#include "PngCodec.h"

#include "ExifMetadata.h"
#include "ParallelDeflate.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>

namespace
{
    uint32_t readBigEndian32 (const uint8_t* p) noexcept
    {
        return (uint32_t) p[0] << 24 | (uint32_t) p[1] << 16 | (uint32_t) p[2] << 8 | (uint32_t) p[3];
    }

    /** False when a chunk claims more bytes than the data holds. libpng allocates a chunk's
        claimed length before reading it: a few hostile bytes would ask for up to 2 GB. */
    bool chunksFitData (const uint8_t* data, size_t size)
    {
        for (size_t pos = 8; pos + 8 <= size;)
        {
            const uint32_t length = readBigEndian32 (data + pos);
            if (length > size - pos - 8)
                return false;
            pos += 12 + (size_t) length;
        }
        return true;
    }

    /** Dots per inch of a pHYs value. Whole pixels per metre cannot hold a whole number of
        dots per inch, so a value within one step (0.0254 dpi) of a whole one is taken as
        that: 72 dpi written as 2834 or 2835 reads back as 72. */
    double dotsPerInch (uint32_t pixelsPerMetre) noexcept
    {
        const double dpi = pixelsPerMetre * 0.0254;
        const double whole = std::round (dpi);
        return std::abs (dpi - whole) < 0.0254 ? whole : dpi;
    }

    /** Walks the chunks for pHYs (each axis 72 unless it states one) and eXIf, which may
        also follow the image data. */
    void readMetadataChunks (const uint8_t* data, size_t size, PlatformImage& image)
    {
        size_t pos = 8;
        while (pos + 12 <= size)
        {
            const uint32_t length = readBigEndian32 (data + pos);
            const uint8_t* type = data + pos + 4;
            if (length > size - pos - 12 || std::memcmp (type, "IEND", 4) == 0)
                return;
            if (std::memcmp (type, "pHYs", 4) == 0 && length == 9 && data[pos + 16] == 1)
            {
                const uint32_t x = readBigEndian32 (data + pos + 8);
                const uint32_t y = readBigEndian32 (data + pos + 12);
                if (x > 0)
                    image.resolutionX = dotsPerInch (x);
                if (y > 0)
                    image.resolutionY = dotsPerInch (y);
            }
            else if (std::memcmp (type, "eXIf", 4) == 0 && image.exifBlock.isEmpty() && length > 0)
            {
                image.exifBlock = ExifMetadata::fromTiffStructure (data + pos + 8, length);
                image.orientation = ExifMetadata::readOrientation (image.exifBlock);
            }
            pos += 12 + (size_t) length;
        }
    }

    void writeToMemory (png_structp png, png_bytep bytes, png_size_t length)
    {
        static_cast<juce::MemoryOutputStream*> (png_get_io_ptr (png))->write (bytes, length);
    }

    void flushNothing (png_structp) {}

    [[noreturn]] void jumpOnError (png_structp png, png_const_charp)
    {
        png_longjmp (png, 1);
    }

    void ignoreWarning (png_structp, png_const_charp) {}

    /** IDAT chunks of at most a megabyte carrying the stream, then IEND. */
    void writeImageDataChunks (png_structp png, const std::vector<uint8_t>& stream)
    {
        constexpr size_t chunkBytes = (size_t) 1 << 20;
        for (size_t at = 0; at < stream.size(); at += chunkBytes)
            png_write_chunk (png, reinterpret_cast<png_const_bytep> ("IDAT"), stream.data() + at,
                             std::min (chunkBytes, stream.size() - at));
        png_write_chunk (png, reinterpret_cast<png_const_bytep> ("IEND"), nullptr, 0);
    }

    /** The libpng part of encode; kept free of C++ objects with destructors because of longjmp.
        With imageData (a zlib stream made beforehand) libpng writes the chunks around it. */
    bool compress (const PlatformImage& image, bool withAlpha, png_bytepp rows, const std::vector<uint8_t>& imageData,
                   juce::MemoryOutputStream& buffer)
    {
        png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
        if (png == nullptr)
            return false;
        png_infop info = png_create_info_struct (png);
        if (info == nullptr || setjmp (png_jmpbuf (png)))
        {
            png_destroy_write_struct (&png, &info);
            return false;
        }

        png_set_write_fn (png, &buffer, writeToMemory, flushNothing);
        png_set_IHDR (png, info, (png_uint_32) image.width, (png_uint_32) image.height, 8,
                      withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                      PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_pHYs (png, info, PngCodec::pixelsPerMetre (image.resolutionX),
                      PngCodec::pixelsPerMetre (image.resolutionY), PNG_RESOLUTION_METER);
        if (image.exifBlock.getSize() > ExifMetadata::headerSize
            && ExifMetadata::hasHeader (image.exifBlock.getData(), image.exifBlock.getSize()))
            png_set_eXIf_1 (png, info, (png_uint_32) (image.exifBlock.getSize() - ExifMetadata::headerSize),
                            const_cast<png_bytep> (static_cast<const png_byte*> (image.exifBlock.getData())) + ExifMetadata::headerSize);
        png_write_info (png, info);
        if (! imageData.empty())
            writeImageDataChunks (png, imageData);
        else
        {
            png_write_image (png, rows);
            png_write_end (png, nullptr);
        }
        png_destroy_write_struct (&png, &info);
        return true;
    }
}

bool PngCodec::hasSignature (const void* data, size_t size) noexcept
{
    return size >= 8 && png_sig_cmp (static_cast<png_const_bytep> (data), 0, 8) == 0;
}

std::optional<PlatformImage> PngCodec::decode (const void* data, size_t size)
{
    if (! hasSignature (data, size) || ! chunksFitData (static_cast<const uint8_t*> (data), size))
        return std::nullopt;

    png_image header {};
    header.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory (&header, data, size) == 0)
        return std::nullopt;

    // libpng writes every row or reports failure, and a failure returns no image.
    PlatformImage image;
    if (! image.allocateForOverwrite ((int) std::min<png_uint_32> (header.width, 0x7fffffff),
                                      (int) std::min<png_uint_32> (header.height, 0x7fffffff)))
    {
        png_image_free (&header);
        return std::nullopt;
    }

    header.format = PNG_FORMAT_RGBA;
    if (png_image_finish_read (&header, nullptr, image.rgba.data(), 0, nullptr) == 0)
    {
        png_image_free (&header);
        return std::nullopt;
    }

    readMetadataChunks (static_cast<const uint8_t*> (data), size, image);
    return image;
}

uint32_t PngCodec::pixelsPerMetre (double dotsPerInch) noexcept
{
    const double value = std::trunc (dotsPerInch * 39.3701);
    if (! (value >= 1.0))
        return 1;
    return value >= 2147483647.0 ? 2147483647u : (uint32_t) value;
}

bool PngCodec::encode (const PlatformImage& image, bool withAlpha, juce::OutputStream& out, int threads)
{
    if (! image.isValid())
        return false;

    std::vector<uint8_t> packed;
    std::vector<png_bytep> rows ((size_t) image.height);
    if (withAlpha)
    {
        for (int y = 0; y < image.height; ++y)
            rows[(size_t) y] = const_cast<png_bytep> (image.getRow (y));
    }
    else
    {
        packed.resize ((size_t) image.width * (size_t) image.height * 3);
        for (int y = 0; y < image.height; ++y)
        {
            const uint8_t* s = image.getRow (y);
            uint8_t* d = packed.data() + (size_t) y * (size_t) image.width * 3;
            rows[(size_t) y] = d;
            for (int x = 0; x < image.width; ++x, s += 4, d += 3)
                std::memcpy (d, s, 3);
        }
    }

    // Large images are deflated on all cores; small ones, and one thread, stay with libpng.
    const size_t rowBytes = (size_t) image.width * (withAlpha ? 4 : 3);
    std::vector<uint8_t> imageData;
    if (threads != 1 && ParallelDeflate::isWorthwhile (rowBytes, image.height))
    {
        imageData = ParallelDeflate::compressPngRows (rows.data(), image.height, rowBytes, withAlpha ? 4 : 3, 6, threads);
        if (imageData.empty())
            return false;
    }

    juce::MemoryOutputStream buffer;
    if (! compress (image, withAlpha, rows.data(), imageData, buffer))
        return false;
    return out.write (buffer.getData(), buffer.getDataSize());
}
