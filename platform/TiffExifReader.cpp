#include "TiffExifReader.h"

#include "ExifMetadata.h"

#include <array>
#include <cstring>

namespace
{
    constexpr uint16_t exifPointer = 34665, gpsPointer = 34853, interoperabilityPointer = 40965;

    // A directory with more entries than this is not one a camera or editor wrote.
    constexpr unsigned maxEntries = 4096;

    constexpr std::array<uint16_t, 11> descriptiveTags {
        270, 271, 272, 274, 282, 283, 296, 305, 306, 315, 316
    };
    constexpr uint16_t copyrightTag = 33432;

    bool isDescriptive (uint16_t tag) noexcept
    {
        for (auto t : descriptiveTags)
            if (t == tag)
                return true;
        return tag == copyrightTag;
    }

    class Walker
    {
    public:
        Walker (const uint8_t* d, size_t n, bool bigEndian) : data (d), size (n), motorola (bigEndian) {}

        uint16_t get16 (size_t at) const noexcept
        {
            return motorola ? (uint16_t) (data[at] << 8 | data[at + 1]) : (uint16_t) (data[at + 1] << 8 | data[at]);
        }

        uint32_t get32 (size_t at) const noexcept
        {
            return motorola ? (uint32_t) data[at] << 24 | (uint32_t) data[at + 1] << 16 | (uint32_t) data[at + 2] << 8 | data[at + 3]
                            : (uint32_t) data[at + 3] << 24 | (uint32_t) data[at + 2] << 16 | (uint32_t) data[at + 1] << 8 | data[at];
        }

        /** Copies the directory at offset into the libexif directory; the pointer tags
            found are returned through the callback rather than copied. */
        template <typename Keep, typename OnPointer>
        void copyDirectory (uint32_t offset, ExifData& exif, ExifIfd ifd, Keep keep, OnPointer onPointer) const
        {
            if (offset < 8 || offset > size || size - offset < 2)
                return;
            const unsigned count = std::min<unsigned> (get16 (offset), maxEntries);
            for (unsigned i = 0; i < count; ++i)
            {
                const size_t entry = offset + 2 + (size_t) i * 12;
                if (entry > size || size - entry < 12)
                    return;
                const uint16_t tag = get16 (entry);
                if (tag == exifPointer || tag == gpsPointer || tag == interoperabilityPointer)
                {
                    onPointer (tag, get32 (entry + 8));
                    continue;
                }
                if (keep (tag))
                    copyEntry (entry, exif, ifd);
            }
        }

    private:
        const uint8_t* data;
        size_t size;
        bool motorola;

        void copyEntry (size_t entry, ExifData& exif, ExifIfd ifd) const
        {
            const uint16_t tag = get16 (entry), type = get16 (entry + 2);
            const uint32_t count = get32 (entry + 4);
            const size_t unit = exif_format_get_size ((ExifFormat) type);
            if (unit == 0 || type > EXIF_FORMAT_DOUBLE || count == 0 || count > size / unit)
                return;
            const size_t length = (size_t) count * unit;
            size_t at = entry + 8;
            if (length > 4)
            {
                at = get32 (entry + 8);
                if (at > size || size - at < length)
                    return;
            }

            ExifContent* content = exif.ifd[ifd];
            if (exif_content_get_entry (content, (ExifTag) tag) != nullptr)
                return;
            ExifEntry* e = exif_entry_new();
            if (e == nullptr)
                return;
            e->data = static_cast<unsigned char*> (std::malloc (length));
            if (e->data != nullptr)
            {
                std::memcpy (e->data, data + at, length);
                e->tag = (ExifTag) tag;
                e->format = (ExifFormat) type;
                e->components = count;
                e->size = (unsigned int) length;
                exif_content_add_entry (content, e);
            }
            exif_entry_unref (e);
        }
    };
}

juce::MemoryBlock TiffExifReader::read (const void* source, size_t size)
{
    const auto* data = static_cast<const uint8_t*> (source);
    if (data == nullptr || size < 8)
        return {};
    const bool motorola = data[0] == 'M' && data[1] == 'M';
    if (! motorola && ! (data[0] == 'I' && data[1] == 'I'))
        return {};
    const Walker walker (data, size, motorola);
    if (walker.get16 (2) != 42)
        return {};

    const auto exif = ExifMetadata::create();
    if (exif == nullptr)
        return {};
    exif_data_set_byte_order (exif.get(), motorola ? EXIF_BYTE_ORDER_MOTOROLA : EXIF_BYTE_ORDER_INTEL);

    // Each directory kind is followed once, from its one parent: no chain can loop.
    uint32_t exifOffset = 0, gpsOffset = 0, interoperabilityOffset = 0;
    const auto remember = [&] (uint16_t tag, uint32_t offset)
    {
        if (tag == exifPointer) exifOffset = offset;
        if (tag == gpsPointer) gpsOffset = offset;
    };
    const auto all = [] (uint16_t) { return true; };
    walker.copyDirectory (walker.get32 (4), *exif, EXIF_IFD_0, isDescriptive, remember);
    if (exifOffset != 0)
        walker.copyDirectory (exifOffset, *exif, EXIF_IFD_EXIF, all,
                              [&] (uint16_t tag, uint32_t offset) { if (tag == interoperabilityPointer) interoperabilityOffset = offset; });
    if (gpsOffset != 0)
        walker.copyDirectory (gpsOffset, *exif, EXIF_IFD_GPS, all, [] (uint16_t, uint32_t) {});
    if (interoperabilityOffset != 0)
        walker.copyDirectory (interoperabilityOffset, *exif, EXIF_IFD_INTEROPERABILITY, all, [] (uint16_t, uint32_t) {});

    // Orientation and resolution alone describe the pixels, not a camera: no block for them.
    const auto describesOnlyPixels = [&exif]
    {
        for (int i = 0; i < EXIF_IFD_COUNT; ++i)
            for (unsigned e = 0; e < exif->ifd[i]->count; ++e)
            {
                const auto tag = exif->ifd[i]->entries[e]->tag;
                if (i != EXIF_IFD_0 || (tag != EXIF_TAG_ORIENTATION && tag != EXIF_TAG_X_RESOLUTION
                                        && tag != EXIF_TAG_Y_RESOLUTION && tag != EXIF_TAG_RESOLUTION_UNIT))
                    return false;
            }
        return true;
    };
    if (describesOnlyPixels())
        return {};
    return ExifMetadata::save (*exif);
}
