#include "PsdDecoder.h"

#include "ImageRefusal.h"

#include <cstring>

namespace
{
    uint32_t be32 (const uint8_t* p) noexcept { return (uint32_t) p[0] << 24 | (uint32_t) p[1] << 16 | (uint32_t) p[2] << 8 | (uint32_t) p[3]; }
    uint16_t be16 (const uint8_t* p) noexcept { return (uint16_t) (p[0] << 8 | p[1]); }

    constexpr int modeGray = 1, modeRgb = 3;
    constexpr uint16_t resolutionResource = 0x03ed, exifResource = 0x0422;

    /** Bounds-checked cursor over the file. */
    struct Reader
    {
        const uint8_t* data;
        size_t size;
        size_t pos = 0;

        bool has (size_t n) const noexcept { return pos <= size && size - pos >= n; }
        const uint8_t* here() const noexcept { return data + pos; }
    };

    void readResources (const uint8_t* p, size_t length, PlatformImage& image)
    {
        size_t pos = 0;
        while (pos + 12 <= length && std::memcmp (p + pos, "8BIM", 4) == 0)
        {
            const uint16_t id = be16 (p + pos + 4);
            const size_t nameLength = p[pos + 6];
            // The Pascal name, length byte included, is padded to an even size.
            size_t cursor = pos + 6 + ((nameLength + 2) & ~(size_t) 1);
            if (cursor + 4 > length)
                return;
            const size_t dataLength = be32 (p + cursor);
            cursor += 4;
            if (dataLength > length - cursor)
                return;

            if (id == resolutionResource && dataLength >= 16)
            {
                // Unit 2 means the value was entered per centimetre; it is still stored per inch.
                const double x = be32 (p + cursor) / 65536.0, y = be32 (p + cursor + 8) / 65536.0;
                if (x > 0)
                    image.resolutionX = x;
                if (y > 0)
                    image.resolutionY = y;
            }
            else if (id == exifResource && dataLength > 0)
            {
                image.exifBlock.replaceAll ("Exif\0\0", 6);
                image.exifBlock.append (p + cursor, dataLength);
            }
            pos = cursor + ((dataLength + 1) & ~(size_t) 1);
        }
    }

    /** Unpacks one PackBits row into exactly width bytes. */
    bool unpackRow (const uint8_t* s, size_t length, uint8_t* out, size_t width)
    {
        size_t in = 0, written = 0;
        while (written < width)
        {
            if (in >= length)
                return false;
            const auto n = (int8_t) s[in++];
            if (n >= 0)
            {
                const size_t count = (size_t) n + 1;
                if (count > length - in || count > width - written)
                    return false;
                std::memcpy (out + written, s + in, count);
                in += count;
                written += count;
            }
            else if (n != -128)
            {
                const size_t count = (size_t) (1 - n);
                if (in >= length || count > width - written)
                    return false;
                std::memset (out + written, s[in++], count);
                written += count;
            }
        }
        return true;
    }
}

bool PsdDecoder::hasSignature (const void* data, size_t size) noexcept
{
    return size >= 4 && std::memcmp (data, "8BPS", 4) == 0;
}

std::optional<PlatformImage> PsdDecoder::decode (const void* data, size_t size)
{
    if (! hasSignature (data, size) || size < 26)
        return std::nullopt;

    Reader r { static_cast<const uint8_t*> (data), size };
    const uint8_t* h = r.data;
    const int version = be16 (h + 4);
    const int channels = be16 (h + 12);
    const uint32_t height = be32 (h + 14), width = be32 (h + 18);
    const int depth = be16 (h + 22), mode = be16 (h + 24);

    if (version != 1)
        return std::nullopt;
    if (depth != 8 || (mode != modeRgb && mode != modeGray))
    {
        ImageRefusalNote::note (ImageRefusal::unsupportedKind);
        return std::nullopt;
    }
    const int used = mode == modeRgb ? 3 : 1;
    if (channels < used || channels > 56)
        return std::nullopt;

    PlatformImage image;
    if (! PlatformImage::isAcceptableSize (width, height))
        return std::nullopt;

    r.pos = 26;
    for (int section = 0; section < 3; ++section)
    {
        if (! r.has (4))
            return std::nullopt;
        const size_t length = be32 (r.here());
        r.pos += 4;
        if (! r.has (length))
            return std::nullopt;
        if (section == 1)
            readResources (r.here(), length, image);
        r.pos += length;
    }

    if (! r.has (2))
        return std::nullopt;
    const int compression = be16 (r.here());
    r.pos += 2;

    const size_t w = width, rows = height;
    const size_t planeRows = rows * (size_t) channels;
    std::vector<size_t> rowLengths;
    if (compression == 0)
    {
        if ((r.size - r.pos) / w < planeRows)
            return std::nullopt;
    }
    else if (compression == 1)
    {
        if (! r.has (planeRows * 2))
            return std::nullopt;
        rowLengths.resize (planeRows);
        size_t total = 0;
        for (size_t i = 0; i < planeRows; ++i)
        {
            rowLengths[i] = be16 (r.here() + i * 2);
            total += rowLengths[i];
        }
        r.pos += planeRows * 2;
        // A file cut short is damaged even where the lost rows belong to unused channels.
        if (! r.has (total))
            return std::nullopt;
    }
    else
    {
        return std::nullopt;
    }

    if (! image.allocate ((int) width, (int) height))
        return std::nullopt;

    std::vector<uint8_t> plane (w);
    for (int c = 0; c < used; ++c)
    {
        for (size_t y = 0; y < rows; ++y)
        {
            const uint8_t* src = nullptr;
            if (compression == 0)
            {
                src = r.here();
                r.pos += w;
            }
            else
            {
                const size_t length = rowLengths[(size_t) c * rows + y];
                if (! unpackRow (r.here(), length, plane.data(), w))
                    return std::nullopt;
                r.pos += length;
                src = plane.data();
            }

            uint8_t* d = image.getRow ((int) y);
            for (size_t x = 0; x < w; ++x, d += 4)
            {
                if (used == 1)
                    d[0] = d[1] = d[2] = src[x];
                else
                    d[c] = src[x];
                d[3] = 255;
            }
        }
    }
    return image;
}
