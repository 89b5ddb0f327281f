#include "ExifMetadata.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace
{
    constexpr unsigned char header[ExifMetadata::headerSize] = { 'E', 'x', 'i', 'f', 0, 0 };

    /** The entries' memory is libexif's default allocator, the one every ExifData uses. */
    struct MemoryDeleter
    {
        void operator() (ExifMem* mem) const noexcept { exif_mem_unref (mem); }
    };

    /** Component index of an entry as an unsigned number; nothing for other formats or
        data shorter than its claim. */
    std::optional<uint32_t> readUnsigned (const ExifEntry* e, ExifByteOrder order, unsigned index = 0)
    {
        if (e == nullptr || e->data == nullptr || index >= e->components)
            return std::nullopt;
        const size_t size = exif_format_get_size (e->format);
        if (size == 0 || e->size < size * (index + 1))
            return std::nullopt;
        const unsigned char* p = e->data + size * index;
        switch (e->format)
        {
            case EXIF_FORMAT_BYTE:  return *p;
            case EXIF_FORMAT_SHORT: return exif_get_short (p, order);
            case EXIF_FORMAT_LONG:  return exif_get_long (p, order);
            default:                return std::nullopt;
        }
    }

    /** A RATIONAL entry's first value; nothing when it is not one or has a zero denominator. */
    std::optional<double> readRational (const ExifEntry* e, ExifByteOrder order)
    {
        if (e == nullptr || e->data == nullptr || e->components < 1 || e->format != EXIF_FORMAT_RATIONAL || e->size < 8)
            return std::nullopt;
        const ExifRational r = exif_get_rational (e->data, order);
        if (r.denominator == 0)
            return std::nullopt;
        return (double) r.numerator / (double) r.denominator;
    }

    /** Replaces every entry of the tag in the directory by one new entry of that format
        and count, with zeroed data the caller fills; null when memory runs out. */
    ExifEntry* replaceEntry (ExifData& data, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned components)
    {
        ExifContent* content = data.ifd[ifd];
        while (ExifEntry* old = exif_content_get_entry (content, tag))
            exif_content_remove_entry (content, old);

        std::unique_ptr<ExifMem, MemoryDeleter> mem (exif_mem_new_default());
        const size_t size = (size_t) exif_format_get_size (format) * components;
        ExifEntry* entry = mem != nullptr ? exif_entry_new_mem (mem.get()) : nullptr;
        if (entry == nullptr)
            return nullptr;
        entry->data = static_cast<unsigned char*> (exif_mem_alloc (mem.get(), (ExifLong) size));
        if (entry->data == nullptr)
        {
            exif_entry_unref (entry);
            return nullptr;
        }
        entry->tag = tag;
        entry->format = format;
        entry->components = components;
        entry->size = (unsigned int) size;
        exif_content_add_entry (content, entry);
        exif_entry_unref (entry);
        return entry;
    }

    void setShort (ExifData& data, ExifIfd ifd, ExifTag tag, uint16_t value)
    {
        if (auto* e = replaceEntry (data, ifd, tag, EXIF_FORMAT_SHORT, 1))
            exif_set_short (e->data, exif_data_get_byte_order (&data), value);
    }

    void setLong (ExifData& data, ExifIfd ifd, ExifTag tag, uint32_t value)
    {
        if (auto* e = replaceEntry (data, ifd, tag, EXIF_FORMAT_LONG, 1))
            exif_set_long (e->data, exif_data_get_byte_order (&data), value);
    }

    void setRational (ExifData& data, ExifIfd ifd, ExifTag tag, double value)
    {
        if (auto* e = replaceEntry (data, ifd, tag, EXIF_FORMAT_RATIONAL, 1))
            exif_set_rational (e->data, exif_data_get_byte_order (&data), ExifMetadata::toRational (value));
    }

    void setAscii (ExifData& data, ExifIfd ifd, ExifTag tag, const juce::String& text)
    {
        const char* utf8 = text.toRawUTF8();
        const size_t length = std::strlen (utf8) + 1;
        if (auto* e = replaceEntry (data, ifd, tag, EXIF_FORMAT_ASCII, (unsigned) length))
            std::memcpy (e->data, utf8, length);
    }

    void setUndefined (ExifData& data, ExifIfd ifd, ExifTag tag, const char* bytes, unsigned count)
    {
        if (auto* e = replaceEntry (data, ifd, tag, EXIF_FORMAT_UNDEFINED, count))
            std::memcpy (e->data, bytes, count);
    }

    void removeThumbnail (ExifData& data)
    {
        ExifContent* ifd1 = data.ifd[EXIF_IFD_1];
        while (ifd1->count > 0)
            exif_content_remove_entry (ifd1, ifd1->entries[0]);
        if (data.data != nullptr)
        {
            std::unique_ptr<ExifMem, MemoryDeleter> mem (exif_mem_new_default());
            exif_mem_free (mem.get(), data.data);
            data.data = nullptr;
            data.size = 0;
        }
    }

    double positiveOrZero (double value) noexcept
    {
        return value > 0.0 && value < 1.0e6 ? value : 0.0;
    }
}

bool ExifMetadata::hasHeader (const void* data, size_t size) noexcept
{
    return data != nullptr && size >= headerSize && std::memcmp (data, header, headerSize) == 0;
}

juce::MemoryBlock ExifMetadata::fromTiffStructure (const void* data, size_t size)
{
    juce::MemoryBlock block;
    if (data == nullptr || size == 0)
        return block;
    if (! hasHeader (data, size))
        block.append (header, headerSize);
    block.append (data, size);
    return block;
}

juce::MemoryBlock ExifMetadata::toTiffStructure (const juce::MemoryBlock& block)
{
    if (block.getSize() <= headerSize || ! hasHeader (block.getData(), block.getSize()))
        return {};
    return juce::MemoryBlock (static_cast<const char*> (block.getData()) + headerSize, block.getSize() - headerSize);
}

ExifMetadata::Data ExifMetadata::create()
{
    Data data (exif_data_new());
    if (data != nullptr)
    {
        exif_data_unset_option (data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
        exif_data_unset_option (data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
        exif_data_set_option (data.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    }
    return data;
}

juce::MemoryBlock ExifMetadata::save (ExifData& data)
{
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data (&data, &bytes, &size);
    juce::MemoryBlock block;
    if (bytes != nullptr && size > headerSize)
        block.replaceAll (bytes, size);
    std::free (bytes);
    return block;
}

bool ExifMetadata::hasAnyEntry (const ExifData& data) noexcept
{
    for (int i = 0; i < EXIF_IFD_COUNT; ++i)
        if (data.ifd[i] != nullptr && data.ifd[i]->count > 0)
            return true;
    return false;
}

ExifMetadata::Data ExifMetadata::load (const juce::MemoryBlock& block)
{
    if (block.getSize() <= headerSize || ! hasHeader (block.getData(), block.getSize()))
        return {};
    Data data = create();
    if (data == nullptr)
        return {};
    const auto size = (unsigned int) std::min<size_t> (block.getSize(), std::numeric_limits<unsigned int>::max());
    exif_data_load_data (data.get(), static_cast<const unsigned char*> (block.getData()), size);
    return data;
}

int ExifMetadata::readOrientation (const juce::MemoryBlock& block)
{
    const auto data = load (block);
    if (data == nullptr)
        return 1;
    const auto value = readUnsigned (exif_content_get_entry (data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION),
                                     exif_data_get_byte_order (data.get()));
    return value.has_value() && *value >= 1 && *value <= 8 ? (int) *value : 1;
}

ExifMetadata::Resolution ExifMetadata::readResolution (const juce::MemoryBlock& block)
{
    const auto data = load (block);
    if (data == nullptr)
        return {};
    ExifContent* ifd0 = data->ifd[EXIF_IFD_0];
    const auto order = exif_data_get_byte_order (data.get());
    const uint32_t unit = readUnsigned (exif_content_get_entry (ifd0, EXIF_TAG_RESOLUTION_UNIT), order).value_or (2);
    if (unit != 2 && unit != 3)
        return {};
    const double scale = unit == 3 ? 2.54 : 1.0;
    Resolution resolution;
    resolution.x = positiveOrZero (readRational (exif_content_get_entry (ifd0, EXIF_TAG_X_RESOLUTION), order).value_or (0.0) * scale);
    resolution.y = positiveOrZero (readRational (exif_content_get_entry (ifd0, EXIF_TAG_Y_RESOLUTION), order).value_or (0.0) * scale);
    return resolution;
}

juce::MemoryBlock ExifMetadata::prepareForWriting (const juce::MemoryBlock& block, int width, int height,
                                                   double resolutionX, double resolutionY)
{
    const auto data = load (block);
    if (data == nullptr || ! hasAnyEntry (*data))
        return {};

    removeThumbnail (*data);
    setShort (*data, EXIF_IFD_0, EXIF_TAG_ORIENTATION, 1);
    setRational (*data, EXIF_IFD_0, EXIF_TAG_X_RESOLUTION, resolutionX);
    setRational (*data, EXIF_IFD_0, EXIF_TAG_Y_RESOLUTION, resolutionY);
    setShort (*data, EXIF_IFD_0, EXIF_TAG_RESOLUTION_UNIT, 2);
    setLong (*data, EXIF_IFD_EXIF, EXIF_TAG_PIXEL_X_DIMENSION, (uint32_t) std::max (0, width));
    setLong (*data, EXIF_IFD_EXIF, EXIF_TAG_PIXEL_Y_DIMENSION, (uint32_t) std::max (0, height));
    return save (*data);
}

juce::MemoryBlock ExifMetadata::buildCameraBlock (const CameraFacts& facts)
{
    Data data = create();
    if (data == nullptr)
        return {};
    exif_data_set_byte_order (data.get(), EXIF_BYTE_ORDER_INTEL);

    if (facts.make.isNotEmpty())
        setAscii (*data, EXIF_IFD_0, EXIF_TAG_MAKE, facts.make);
    if (facts.model.isNotEmpty())
        setAscii (*data, EXIF_IFD_0, EXIF_TAG_MODEL, facts.model);
    setShort (*data, EXIF_IFD_0, EXIF_TAG_ORIENTATION, 1);

    setUndefined (*data, EXIF_IFD_EXIF, EXIF_TAG_EXIF_VERSION, "0230", 4);
    if (facts.exposureSeconds > 0.0)
        setRational (*data, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, facts.exposureSeconds);
    if (facts.fNumber > 0.0)
        setRational (*data, EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, facts.fNumber);
    if (facts.isoSpeed >= 1.0)
        setShort (*data, EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS, (uint16_t) std::min (facts.isoSpeed + 0.5, 65535.0));
    if (facts.dateTimeOriginal.isNotEmpty())
        setAscii (*data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, facts.dateTimeOriginal);
    if (facts.focalLengthMillimetres > 0.0)
        setRational (*data, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, facts.focalLengthMillimetres);
    return save (*data);
}

ExifRational ExifMetadata::toRational (double value) noexcept
{
    constexpr double limit = 4294967295.0;
    if (! std::isfinite (value) || value <= 0.0)
        return { 0, 1 };
    if (value >= limit)
        return { (ExifLong) limit, 1 };

    // Convergents h/k of the continued fraction, until one is within a millionth.
    double h0 = 0, h1 = 1, k0 = 1, k1 = 0;
    double x = value;
    for (int i = 0; i < 40; ++i)
    {
        const double a = std::floor (x);
        const double h2 = a * h1 + h0, k2 = a * k1 + k0;
        if (h2 > limit || k2 > limit)
            break;
        h0 = h1; h1 = h2; k0 = k1; k1 = k2;
        const double fraction = x - a;
        if (std::abs (h1 / k1 - value) <= value * 1.0e-6 || fraction < 1.0e-12)
            break;
        x = 1.0 / fraction;
    }
    if (k1 == 0)
        return { (ExifLong) std::min (std::round (value), limit), 1 };
    return { (ExifLong) h1, (ExifLong) k1 };
}
