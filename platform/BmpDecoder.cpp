#include "BmpDecoder.h"

#include "ImageRefusal.h"

#include <array>
#include <bit>
#include <cstring>

namespace
{
    uint32_t le32 (const uint8_t* p) noexcept { return (uint32_t) p[0] | (uint32_t) p[1] << 8 | (uint32_t) p[2] << 16 | (uint32_t) p[3] << 24; }
    uint16_t le16 (const uint8_t* p) noexcept { return (uint16_t) (p[0] | p[1] << 8); }

    /** One colour channel described by a bit mask. */
    struct Channel
    {
        uint32_t mask = 0;
        int shift = 0;
        uint32_t maxValue = 0;

        explicit Channel (uint32_t m = 0) noexcept : mask (m)
        {
            if (mask != 0)
            {
                shift = std::countr_zero (mask);
                maxValue = mask >> shift;
            }
        }

        uint8_t extract (uint32_t v) const noexcept
        {
            if (maxValue == 0)
                return 0;
            return (uint8_t) ((((v & mask) >> shift) * 255 + maxValue / 2) / maxValue);
        }
    };

    constexpr uint32_t compressionNone = 0, compressionBitFields = 3;
}

bool BmpDecoder::hasSignature (const void* data, size_t size) noexcept
{
    const auto* b = static_cast<const uint8_t*> (data);
    return size >= 2 && b[0] == 'B' && b[1] == 'M';
}

std::optional<PlatformImage> BmpDecoder::decode (const void* data, size_t size)
{
    const auto* b = static_cast<const uint8_t*> (data);
    if (! hasSignature (data, size) || size < 26)
        return std::nullopt;

    const uint32_t pixelOffset = le32 (b + 10);
    const uint32_t headerSize = le32 (b + 14);
    if (headerSize < 12 || headerSize > size - 14)
        return std::nullopt;

    long long w = 0, h = 0;
    int bits = 0;
    uint32_t compression = compressionNone, paletteCount = 0;
    Channel red, green, blue, alpha;
    bool hasAlphaMask = false;
    size_t paletteEntrySize = 4;
    double resolutionX = 0, resolutionY = 0;
    const uint8_t* info = b + 14;

    if (headerSize == 12)
    {
        w = le16 (info + 4);
        h = (int16_t) le16 (info + 6);
        bits = le16 (info + 10);
        paletteEntrySize = 3;
    }
    else
    {
        if (headerSize < 40)
            return std::nullopt;
        w = (int32_t) le32 (info + 4);
        h = (int32_t) le32 (info + 8);
        bits = le16 (info + 14);
        compression = le32 (info + 16);
        resolutionX = (int32_t) le32 (info + 24) * 0.0254;
        resolutionY = (int32_t) le32 (info + 28) * 0.0254;
        paletteCount = le32 (info + 32);

        if (compression == compressionBitFields)
        {
            // Masks follow a 40-byte header; later headers hold them inside.
            const uint8_t* masks = info + 40;
            if ((size_t) (masks - b) + 12 > size)
                return std::nullopt;
            red = Channel (le32 (masks));
            green = Channel (le32 (masks + 4));
            blue = Channel (le32 (masks + 8));
            if (headerSize >= 56)
            {
                alpha = Channel (le32 (masks + 12));
                hasAlphaMask = alpha.mask != 0;
            }
        }
        else if (compression != compressionNone)
        {
            ImageRefusalNote::note (ImageRefusal::unsupportedKind);
            return std::nullopt;
        }
    }

    const bool topDown = h < 0;
    if (topDown)
        h = -h;

    if (compression == compressionNone)
    {
        if (bits == 16)
        {
            red = Channel (0x7c00); green = Channel (0x03e0); blue = Channel (0x001f);
        }
        else if (bits == 32)
        {
            red = Channel (0x00ff0000); green = Channel (0x0000ff00); blue = Channel (0x000000ff);
            alpha = Channel (0xff000000);
            hasAlphaMask = true;
        }
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (compression == compressionBitFields && bits != 16 && bits != 32)
        return std::nullopt;

    // Palette for the indexed depths, missing entries black.
    std::array<std::array<uint8_t, 3>, 256> palette {};
    if (bits <= 8)
    {
        const size_t maxEntries = (size_t) 1 << bits;
        const size_t entries = paletteCount == 0 || paletteCount > maxEntries ? maxEntries : paletteCount;
        const size_t paletteStart = 14 + (size_t) headerSize + (compression == compressionBitFields && headerSize == 40 ? 12 : 0);
        for (size_t i = 0; i < entries && paletteStart + (i + 1) * paletteEntrySize <= size; ++i)
        {
            const uint8_t* e = b + paletteStart + i * paletteEntrySize;
            palette[i] = { e[2], e[1], e[0] };
        }
    }

    PlatformImage image;
    if (! PlatformImage::isAcceptableSize (w, h) || ! image.allocate ((int) w, (int) h))
        return std::nullopt;

    const size_t rowBytes = (((size_t) image.width * (size_t) bits + 31) / 32) * 4;
    if (pixelOffset > size || (size - pixelOffset) / rowBytes < (size_t) image.height)
        return std::nullopt;

    bool anyAlpha = false;
    for (int row = 0; row < image.height; ++row)
    {
        const uint8_t* s = b + pixelOffset + (size_t) row * rowBytes;
        uint8_t* d = image.getRow (topDown ? row : image.height - 1 - row);
        for (int x = 0; x < image.width; ++x, d += 4)
        {
            if (bits <= 8)
            {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                const int index = (s[x / perByte] >> shift) & ((1 << bits) - 1);
                std::memcpy (d, palette[(size_t) index].data(), 3);
                d[3] = 255;
                continue;
            }

            uint32_t v = 0;
            if (bits == 16)
                v = le16 (s + (size_t) x * 2);
            else if (bits == 24)
                v = (uint32_t) s[x * 3] | (uint32_t) s[x * 3 + 1] << 8 | (uint32_t) s[x * 3 + 2] << 16;
            else
                v = le32 (s + (size_t) x * 4);

            if (bits == 24)
            {
                d[0] = (uint8_t) (v >> 16); d[1] = (uint8_t) (v >> 8); d[2] = (uint8_t) v;
                d[3] = 255;
            }
            else
            {
                d[0] = red.extract (v); d[1] = green.extract (v); d[2] = blue.extract (v);
                d[3] = hasAlphaMask ? alpha.extract (v) : 255;
                anyAlpha = anyAlpha || (hasAlphaMask && d[3] != 0);
            }
        }
    }

    if (hasAlphaMask && ! anyAlpha)
        for (size_t i = 3; i < image.rgba.size(); i += 4)
            image.rgba[i] = 255;

    if (resolutionX > 0 && resolutionY > 0)
    {
        image.resolutionX = resolutionX;
        image.resolutionY = resolutionY;
    }
    return image;
}
