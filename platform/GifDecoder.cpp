#include "GifDecoder.h"

#include <array>
#include <cstring>

namespace
{
    struct Reader
    {
        const uint8_t* data;
        size_t size;
        size_t pos = 0;

        bool has (size_t n) const noexcept { return pos <= size && size - pos >= n; }
        int byte() noexcept { return has (1) ? data[pos++] : -1; }
        int le16() noexcept { if (! has (2)) return -1; const int v = data[pos] | data[pos + 1] << 8; pos += 2; return v; }
    };

    using Palette = std::array<std::array<uint8_t, 3>, 256>;

    bool readPalette (Reader& r, int flags, Palette& palette, int& count)
    {
        count = 2 << (flags & 7);
        if (! r.has ((size_t) count * 3))
            return false;
        for (int i = 0; i < count; ++i, r.pos += 3)
            palette[(size_t) i] = { r.data[r.pos], r.data[r.pos + 1], r.data[r.pos + 2] };
        return true;
    }

    /** Gathers the data sub-blocks that follow; false when they run past the end. */
    bool readSubBlocks (Reader& r, std::vector<uint8_t>* out)
    {
        for (;;)
        {
            const int length = r.byte();
            if (length < 0)
                return false;
            if (length == 0)
                return true;
            if (! r.has ((size_t) length))
                return false;
            if (out != nullptr)
                out->insert (out->end(), r.data + r.pos, r.data + r.pos + length);
            r.pos += (size_t) length;
        }
    }

    /** Decodes LZW codes into exactly `count` palette indices. */
    bool decodeLzw (const std::vector<uint8_t>& in, int minCodeSize, std::vector<uint8_t>& out, size_t count)
    {
        constexpr int maxCodes = 4096;
        std::array<uint16_t, maxCodes> prefix {};
        std::array<uint8_t, maxCodes> suffix {};
        std::array<uint8_t, maxCodes> firstByte {};
        std::array<uint8_t, maxCodes + 1> stack {};

        const int clear = 1 << minCodeSize, end = clear + 1;
        for (int i = 0; i < clear; ++i)
        {
            suffix[(size_t) i] = (uint8_t) i;
            firstByte[(size_t) i] = (uint8_t) i;
        }

        int codeSize = minCodeSize + 1, next = clear + 2, old = -1;
        size_t bitPos = 0;
        const size_t totalBits = in.size() * 8;
        out.clear();
        out.reserve (count);

        while (out.size() < count)
        {
            if (bitPos + (size_t) codeSize > totalBits)
                return false;
            int code = 0;
            for (int i = 0; i < codeSize; ++i, ++bitPos)
                code |= ((in[bitPos >> 3] >> (bitPos & 7)) & 1) << i;

            if (code == clear)
            {
                codeSize = minCodeSize + 1;
                next = clear + 2;
                old = -1;
                continue;
            }
            if (code == end)
                break;

            int emit = code;
            int depth = 0;
            if (old < 0)
            {
                if (code >= clear)
                    return false;
            }
            else if (code > next || (code == next && next >= maxCodes))
            {
                return false;
            }
            else if (code == next)
            {
                // The one code not yet in the table: the previous string plus its own first byte.
                stack[(size_t) depth++] = firstByte[(size_t) old];
                emit = old;
            }

            while (emit >= clear)
            {
                if (depth >= maxCodes)
                    return false;
                stack[(size_t) depth++] = suffix[(size_t) emit];
                emit = prefix[(size_t) emit];
            }
            stack[(size_t) depth++] = (uint8_t) emit;

            while (depth > 0 && out.size() < count)
                out.push_back (stack[(size_t) --depth]);

            if (old >= 0 && next < maxCodes)
            {
                prefix[(size_t) next] = (uint16_t) old;
                suffix[(size_t) next] = (uint8_t) emit;
                firstByte[(size_t) next] = firstByte[(size_t) old];
                ++next;
                if (next == (1 << codeSize) && codeSize < 12)
                    ++codeSize;
            }
            old = code;
        }
        return out.size() == count;
    }

    int interlacedRow (int index, int height) noexcept
    {
        const int passes[4][2] = { { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } };
        for (const auto& pass : passes)
        {
            const int rows = (height - pass[0] + pass[1] - 1) / pass[1];
            if (index < rows)
                return pass[0] + index * pass[1];
            index -= rows;
        }
        return 0;
    }
}

bool GifDecoder::hasSignature (const void* data, size_t size) noexcept
{
    return size >= 6 && (std::memcmp (data, "GIF87a", 6) == 0 || std::memcmp (data, "GIF89a", 6) == 0);
}

std::optional<PlatformImage> GifDecoder::decode (const void* data, size_t size)
{
    if (! hasSignature (data, size) || size < 13)
        return std::nullopt;

    Reader r { static_cast<const uint8_t*> (data), size, 10 };
    const int screenFlags = r.byte();
    r.pos = 13;

    Palette global {}, local {};
    int globalCount = 0;
    if ((screenFlags & 0x80) != 0 && ! readPalette (r, screenFlags, global, globalCount))
        return std::nullopt;

    int transparent = -1;
    for (;;)
    {
        const int tag = r.byte();
        if (tag == 0x21)
        {
            const int label = r.byte();
            if (label == 0xf9 && r.has (5) && r.data[r.pos] >= 4)
                transparent = (r.data[r.pos + 1] & 1) != 0 ? r.data[r.pos + 4] : -1;
            if (label < 0 || ! readSubBlocks (r, nullptr))
                return std::nullopt;
            continue;
        }
        if (tag != 0x2c)
            return std::nullopt; // the trailer, or damage, before any frame

        if (! r.has (9))
            return std::nullopt;
        r.pos += 4;
        const int width = r.le16(), height = r.le16(), flags = r.byte();

        const Palette* palette = &global;
        int paletteCount = globalCount;
        if ((flags & 0x80) != 0)
        {
            if (! readPalette (r, flags, local, paletteCount))
                return std::nullopt;
            palette = &local;
        }

        const int minCodeSize = r.byte();
        if (minCodeSize < 2 || minCodeSize > 8)
            return std::nullopt;

        PlatformImage image;
        if (! image.allocate (width, height))
            return std::nullopt;

        std::vector<uint8_t> compressed, indices;
        if (! readSubBlocks (r, &compressed))
            return std::nullopt;
        if (! decodeLzw (compressed, minCodeSize, indices, (size_t) width * (size_t) height))
            return std::nullopt;

        const bool interlaced = (flags & 0x40) != 0;
        for (int row = 0; row < height; ++row)
        {
            uint8_t* d = image.getRow (interlaced ? interlacedRow (row, height) : row);
            const uint8_t* s = indices.data() + (size_t) row * (size_t) width;
            for (int x = 0; x < width; ++x, d += 4)
            {
                const int index = s[x];
                if (index == transparent)
                    continue;
                if (index < paletteCount)
                    std::memcpy (d, (*palette)[(size_t) index].data(), 3);
                d[3] = 255;
            }
        }
        return image;
    }
}
