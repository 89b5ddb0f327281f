#pragma once

// Camera metadata blocks for tests, built and read with libexif directly (not through the
// system's own ExifMetadata), so that the system's reading and writing are checked
// against an independent view. Header-only: the suites that use it link libexif through
// the platform library.

#include <juce_core/juce_core.h>

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace sxtest
{
    /** What a test camera writes. Zero or empty fields are left out. */
    struct ExifSpec
    {
        std::string make = "Testmaker";
        std::string model = "TM-1";
        std::string dateTimeOriginal = "2021:05:06 07:08:09";
        int orientation = 0;
        /** IFD0 resolution as numerator / denominator with the unit (2 inch, 3 cm). */
        uint32_t xResolution = 0, yResolution = 0, resolutionDenominator = 1;
        int resolutionUnit = 2;
        /** A stale pixel size, as a photograph's block carries it. */
        uint32_t pixelWidth = 0, pixelHeight = 0;
        /** An IFD1 thumbnail of that many bytes (a JPEG's start and filler). */
        size_t thumbnailBytes = 0;
        /** A maker note of that many bytes, each its index modulo 251. */
        size_t makerNoteBytes = 0;
        /** A private tag (0xC4A5 in the Exif directory) no library knows by name. */
        bool privateTag = false;
        bool motorola = true;
    };

    struct ExifDataUnref
    {
        void operator() (ExifData* d) const noexcept { exif_data_unref (d); }
    };
    using ExifDataPtr = std::unique_ptr<ExifData, ExifDataUnref>;

    constexpr ExifTag privateTestTag = (ExifTag) 0xc4a5;

    inline std::vector<uint8_t> makerNoteBytes (size_t count)
    {
        std::vector<uint8_t> bytes (count);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = (uint8_t) (i % 251);
        return bytes;
    }

    inline void addExifEntry (ExifData* d, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned components, const void* bytes)
    {
        const size_t size = exif_format_get_size (format) * components;
        ExifEntry* e = exif_entry_new();
        e->data = static_cast<unsigned char*> (std::malloc (size));
        std::memcpy (e->data, bytes, size);
        e->tag = tag;
        e->format = format;
        e->components = components;
        e->size = (unsigned) size;
        exif_content_add_entry (d->ifd[ifd], e);
        exif_entry_unref (e);
    }

    inline void addExifText (ExifData* d, ExifIfd ifd, ExifTag tag, const std::string& text)
    {
        addExifEntry (d, ifd, tag, EXIF_FORMAT_ASCII, (unsigned) text.size() + 1, text.c_str());
    }

    /** The block as a JPEG APP1 payload ("Exif\0\0" and the TIFF structure). */
    inline juce::MemoryBlock makeExifBlock (const ExifSpec& spec)
    {
        ExifDataPtr d (exif_data_new());
        exif_data_unset_option (d.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
        exif_data_unset_option (d.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
        const auto order = spec.motorola ? EXIF_BYTE_ORDER_MOTOROLA : EXIF_BYTE_ORDER_INTEL;
        exif_data_set_byte_order (d.get(), order);
        unsigned char buffer[8];

        if (! spec.make.empty())
            addExifText (d.get(), EXIF_IFD_0, EXIF_TAG_MAKE, spec.make);
        if (! spec.model.empty())
            addExifText (d.get(), EXIF_IFD_0, EXIF_TAG_MODEL, spec.model);
        if (spec.orientation != 0)
        {
            exif_set_short (buffer, order, (ExifShort) spec.orientation);
            addExifEntry (d.get(), EXIF_IFD_0, EXIF_TAG_ORIENTATION, EXIF_FORMAT_SHORT, 1, buffer);
        }
        if (spec.xResolution != 0 || spec.yResolution != 0)
        {
            if (spec.xResolution != 0)
            {
                exif_set_rational (buffer, order, { spec.xResolution, spec.resolutionDenominator });
                addExifEntry (d.get(), EXIF_IFD_0, EXIF_TAG_X_RESOLUTION, EXIF_FORMAT_RATIONAL, 1, buffer);
            }
            if (spec.yResolution != 0)
            {
                exif_set_rational (buffer, order, { spec.yResolution, spec.resolutionDenominator });
                addExifEntry (d.get(), EXIF_IFD_0, EXIF_TAG_Y_RESOLUTION, EXIF_FORMAT_RATIONAL, 1, buffer);
            }
            exif_set_short (buffer, order, (ExifShort) spec.resolutionUnit);
            addExifEntry (d.get(), EXIF_IFD_0, EXIF_TAG_RESOLUTION_UNIT, EXIF_FORMAT_SHORT, 1, buffer);
        }
        if (! spec.dateTimeOriginal.empty())
            addExifText (d.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, spec.dateTimeOriginal);
        if (spec.pixelWidth != 0)
        {
            exif_set_long (buffer, order, spec.pixelWidth);
            addExifEntry (d.get(), EXIF_IFD_EXIF, EXIF_TAG_PIXEL_X_DIMENSION, EXIF_FORMAT_LONG, 1, buffer);
            exif_set_long (buffer, order, spec.pixelHeight);
            addExifEntry (d.get(), EXIF_IFD_EXIF, EXIF_TAG_PIXEL_Y_DIMENSION, EXIF_FORMAT_LONG, 1, buffer);
        }
        if (spec.makerNoteBytes > 0)
        {
            const auto note = makerNoteBytes (spec.makerNoteBytes);
            addExifEntry (d.get(), EXIF_IFD_EXIF, EXIF_TAG_MAKER_NOTE, EXIF_FORMAT_UNDEFINED, (unsigned) note.size(), note.data());
        }
        if (spec.privateTag)
        {
            exif_set_short (buffer, order, 4242);
            addExifEntry (d.get(), EXIF_IFD_EXIF, privateTestTag, EXIF_FORMAT_SHORT, 1, buffer);
        }
        if (spec.thumbnailBytes > 0)
        {
            d->data = static_cast<unsigned char*> (std::calloc (spec.thumbnailBytes, 1));
            d->size = (unsigned) spec.thumbnailBytes;
            d->data[0] = 0xff; d->data[1] = 0xd8;
            exif_set_short (buffer, order, 6);
            addExifEntry (d.get(), EXIF_IFD_1, EXIF_TAG_COMPRESSION, EXIF_FORMAT_SHORT, 1, buffer);
        }

        unsigned char* bytes = nullptr;
        unsigned int size = 0;
        exif_data_save_data (d.get(), &bytes, &size);
        juce::MemoryBlock block (bytes, size);
        std::free (bytes);
        return block;
    }

    /** The block loaded by libexif with nothing dropped. */
    inline ExifDataPtr loadExif (const juce::MemoryBlock& block)
    {
        ExifDataPtr d (exif_data_new());
        exif_data_unset_option (d.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
        exif_data_unset_option (d.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
        exif_data_set_option (d.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
        exif_data_load_data (d.get(), static_cast<const unsigned char*> (block.getData()), (unsigned) block.getSize());
        return d;
    }

    /** An entry's bytes as stored; empty when the block has no such entry. */
    inline std::vector<uint8_t> exifBytes (const juce::MemoryBlock& block, ExifIfd ifd, ExifTag tag)
    {
        const auto d = loadExif (block);
        const ExifEntry* e = exif_content_get_entry (d->ifd[ifd], tag);
        if (e == nullptr || e->data == nullptr)
            return {};
        return std::vector<uint8_t> (e->data, e->data + e->size);
    }

    /** An ASCII entry's text, or a number entry's first value in decimal (rationals as
        "n/d"); empty when absent. */
    inline std::string exifValue (const juce::MemoryBlock& block, ExifIfd ifd, ExifTag tag)
    {
        const auto d = loadExif (block);
        const ExifEntry* e = exif_content_get_entry (d->ifd[ifd], tag);
        if (e == nullptr || e->data == nullptr || e->size == 0)
            return {};
        const auto order = exif_data_get_byte_order (d.get());
        switch (e->format)
        {
            case EXIF_FORMAT_ASCII: return std::string (reinterpret_cast<const char*> (e->data), strnlen (reinterpret_cast<const char*> (e->data), e->size));
            case EXIF_FORMAT_SHORT: return std::to_string (exif_get_short (e->data, order));
            case EXIF_FORMAT_LONG:  return std::to_string (exif_get_long (e->data, order));
            case EXIF_FORMAT_RATIONAL:
            {
                const auto r = exif_get_rational (e->data, order);
                return std::to_string (r.numerator) + "/" + std::to_string (r.denominator);
            }
            default: return "?";
        }
    }

    /** True when the block has an IFD1 or a thumbnail. */
    inline bool exifHasThumbnail (const juce::MemoryBlock& block)
    {
        const auto d = loadExif (block);
        return d->size > 0 || d->ifd[EXIF_IFD_1]->count > 0;
    }
}
