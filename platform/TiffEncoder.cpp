#include "TiffEncoder.h"

#include "ExifMetadata.h"
#include "TiffMemoryFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{
    //==============================================================================
    // Exif entries as libtiff fields.

    /** The entry's components as numbers; empty for formats that hold none. */
    std::vector<double> numbersOf (const ExifEntry& e, ExifByteOrder order)
    {
        std::vector<double> values;
        const size_t unit = exif_format_get_size (e.format);
        if (e.data == nullptr || unit == 0)
            return values;
        const size_t count = std::min<size_t> (e.components, e.size / unit);
        values.reserve (count);
        for (size_t i = 0; i < count; ++i)
        {
            const unsigned char* p = e.data + i * unit;
            switch (e.format)
            {
                case EXIF_FORMAT_BYTE:      values.push_back (*p); break;
                case EXIF_FORMAT_SBYTE:     values.push_back ((int8_t) *p); break;
                case EXIF_FORMAT_SHORT:     values.push_back (exif_get_short (p, order)); break;
                case EXIF_FORMAT_SSHORT:    values.push_back (exif_get_sshort (p, order)); break;
                case EXIF_FORMAT_LONG:      values.push_back (exif_get_long (p, order)); break;
                case EXIF_FORMAT_SLONG:     values.push_back (exif_get_slong (p, order)); break;
                case EXIF_FORMAT_RATIONAL:
                {
                    const auto r = exif_get_rational (p, order);
                    values.push_back (r.denominator == 0 ? 0.0 : (double) r.numerator / r.denominator);
                    break;
                }
                case EXIF_FORMAT_SRATIONAL:
                {
                    const auto r = exif_get_srational (p, order);
                    values.push_back (r.denominator == 0 ? 0.0 : (double) r.numerator / r.denominator);
                    break;
                }
                default:
                    return {};
            }
        }
        return values;
    }

    bool isByteFormat (ExifFormat f) noexcept
    {
        return f == EXIF_FORMAT_BYTE || f == EXIF_FORMAT_SBYTE || f == EXIF_FORMAT_UNDEFINED || f == EXIF_FORMAT_ASCII;
    }

    template <typename T>
    std::vector<T> convert (const std::vector<double>& values, size_t count)
    {
        std::vector<T> out (count);
        for (size_t i = 0; i < std::min (count, values.size()); ++i)
            out[i] = (T) values[i];
        return out;
    }

    /** Sets one Exif entry on the current directory as the field libtiff knows for its
        tag; false when libtiff knows no such field or the entry's data does not fit it. */
    bool setField (TIFF* tif, const ExifEntry& e, ExifByteOrder order)
    {
        const TIFFField* field = TIFFFindField (tif, (uint32_t) e.tag, TIFF_ANY);
        if (field == nullptr || TIFFFieldIsAnonymous (field) || e.data == nullptr || e.size == 0)
            return false;

        const TIFFDataType type = TIFFFieldDataType (field);
        const bool passCount = TIFFFieldPassCount (field) != 0;
        const int writeCount = TIFFFieldWriteCount (field);
        const int elementSize = TIFFFieldSetGetSize (field);
        const uint32_t tag = (uint32_t) e.tag;

        if (type == TIFF_ASCII)
        {
            if (! isByteFormat (e.format))
                return false;
            const std::string text (reinterpret_cast<const char*> (e.data), strnlen (reinterpret_cast<const char*> (e.data), e.size));
            return passCount ? TIFFSetField (tif, tag, (uint32_t) text.size() + 1, text.c_str()) == 1
                             : TIFFSetField (tif, tag, text.c_str()) == 1;
        }

        const bool byteField = type == TIFF_BYTE || type == TIFF_SBYTE || type == TIFF_UNDEFINED;
        std::vector<double> numbers;
        size_t available = 0;
        if (byteField && isByteFormat (e.format))
        {
            available = e.size;
        }
        else
        {
            if (isByteFormat (e.format) && e.format != EXIF_FORMAT_BYTE && e.format != EXIF_FORMAT_SBYTE)
                return false;
            numbers = numbersOf (e, order);
            available = numbers.size();
        }
        if (available == 0)
            return false;

        // Fixed counts take exactly that many values; counted fields take what there is.
        const size_t count = passCount || writeCount <= 0 ? available : (size_t) writeCount;
        if (! passCount && count == 1)
        {
            const double v = numbers.empty() ? (double) e.data[0] : numbers[0];
            switch (type)
            {
                case TIFF_BYTE: case TIFF_SBYTE: case TIFF_UNDEFINED:
                case TIFF_SHORT: case TIFF_SSHORT: return TIFFSetField (tif, tag, (int) v) == 1;
                case TIFF_LONG: case TIFF_SLONG:   return TIFFSetField (tif, tag, (uint32_t) (int64_t) v) == 1;
                case TIFF_RATIONAL: case TIFF_SRATIONAL:
                case TIFF_FLOAT: case TIFF_DOUBLE: return TIFFSetField (tif, tag, v) == 1;
                default:                           return false;
            }
        }

        const auto set = [&] (const void* array)
        {
            return passCount ? TIFFSetField (tif, tag, (uint32_t) count, array) == 1
                             : TIFFSetField (tif, tag, array) == 1;
        };
        switch (type)
        {
            case TIFF_BYTE: case TIFF_SBYTE: case TIFF_UNDEFINED:
            {
                std::vector<uint8_t> bytes (count);
                if (numbers.empty())
                    std::memcpy (bytes.data(), e.data, std::min<size_t> (count, e.size));
                else
                    bytes = convert<uint8_t> (numbers, count);
                return set (bytes.data());
            }
            case TIFF_SHORT: case TIFF_SSHORT: return set (convert<uint16_t> (numbers, count).data());
            case TIFF_LONG: case TIFF_SLONG:   return set (convert<uint32_t> (numbers, count).data());
            case TIFF_RATIONAL: case TIFF_SRATIONAL: case TIFF_FLOAT: case TIFF_DOUBLE:
                return elementSize == 8 ? set (convert<double> (numbers, count).data())
                                        : set (convert<float> (numbers, count).data());
            default:
                return false;
        }
    }

    /** Writes one Exif directory of the block as a custom directory and leaves a fresh
        image directory current; the custom directory's offset, or 0 when the block has
        nothing libtiff can write there. */
    uint64_t writeCustomDirectory (TIFF* tif, ExifData& exif, ExifIfd ifd, int (*create) (TIFF*))
    {
        const ExifContent* content = exif.ifd[ifd];
        if (content == nullptr || content->count == 0 || create (tif) != 0)
            return 0;
        bool any = false;
        for (unsigned i = 0; i < content->count; ++i)
            any = setField (tif, *content->entries[i], exif_data_get_byte_order (&exif)) || any;
        uint64_t offset = 0;
        if (! any || ! TIFFWriteCustomDirectory (tif, &offset))
            offset = 0;
        TIFFFreeDirectory (tif);
        TIFFCreateDirectory (tif);
        return offset;
    }

    constexpr ExifTag imageDirectoryTextTags[] = {
        EXIF_TAG_IMAGE_DESCRIPTION, EXIF_TAG_MAKE, EXIF_TAG_MODEL, EXIF_TAG_SOFTWARE,
        EXIF_TAG_DATE_TIME, EXIF_TAG_ARTIST, (ExifTag) 316 /* HostComputer */, EXIF_TAG_COPYRIGHT
    };

    void setImageDirectoryText (TIFF* tif, ExifData& exif)
    {
        for (const auto tag : imageDirectoryTextTags)
        {
            const ExifEntry* e = exif_content_get_entry (exif.ifd[EXIF_IFD_0], tag);
            if (e != nullptr && e->format == EXIF_FORMAT_ASCII && e->data != nullptr && e->size > 0)
            {
                const std::string text (reinterpret_cast<const char*> (e->data), strnlen (reinterpret_cast<const char*> (e->data), e->size));
                TIFFSetField (tif, (uint32_t) tag, text.c_str());
            }
        }
    }

    //==============================================================================

    bool writeTiff (TIFF* tif, const PlatformImage& image, bool withAlpha)
    {
        const auto exif = ExifMetadata::load (image.exifBlock);
        uint64_t exifOffset = 0, gpsOffset = 0;
        if (exif != nullptr)
        {
            exifOffset = writeCustomDirectory (tif, *exif, EXIF_IFD_EXIF, TIFFCreateEXIFDirectory);
            gpsOffset = writeCustomDirectory (tif, *exif, EXIF_IFD_GPS, TIFFCreateGPSDirectory);
        }

        const uint16_t samples = withAlpha ? 4 : 3;
        TIFFSetField (tif, TIFFTAG_IMAGEWIDTH, (uint32_t) image.width);
        TIFFSetField (tif, TIFFTAG_IMAGELENGTH, (uint32_t) image.height);
        TIFFSetField (tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField (tif, TIFFTAG_SAMPLESPERPIXEL, samples);
        TIFFSetField (tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField (tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField (tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        TIFFSetField (tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField (tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
        if (withAlpha)
        {
            const uint16_t extra[] = { EXTRASAMPLE_UNASSALPHA };
            TIFFSetField (tif, TIFFTAG_EXTRASAMPLES, 1, extra);
        }
        TIFFSetField (tif, TIFFTAG_XRESOLUTION, (float) std::clamp (image.resolutionX, 1.0, 1.0e5));
        TIFFSetField (tif, TIFFTAG_YRESOLUTION, (float) std::clamp (image.resolutionY, 1.0, 1.0e5));
        TIFFSetField (tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        // Strips of about 256 KB: libtiff's default of 8 KB makes one-row strips of a photo.
        const uint32_t rowBytes = (uint32_t) image.width * samples;
        TIFFSetField (tif, TIFFTAG_ROWSPERSTRIP, std::clamp<uint32_t> ((256u << 10) / rowBytes, 1u, (uint32_t) image.height));
        if (exif != nullptr)
            setImageDirectoryText (tif, *exif);
        if (exifOffset != 0)
            TIFFSetField (tif, TIFFTAG_EXIFIFD, exifOffset);
        if (gpsOffset != 0)
            TIFFSetField (tif, TIFFTAG_GPSIFD, gpsOffset);

        std::vector<uint8_t> row ((size_t) image.width * samples);
        for (int y = 0; y < image.height; ++y)
        {
            const uint8_t* s = image.getRow (y);
            if (withAlpha)
                std::memcpy (row.data(), s, row.size());
            else
                for (int x = 0; x < image.width; ++x)
                    std::memcpy (row.data() + (size_t) x * 3, s + (size_t) x * 4, 3);
            if (TIFFWriteScanline (tif, row.data(), (uint32_t) y, 0) != 1)
                return false;
        }
        return TIFFWriteDirectory (tif) == 1;
    }
}

bool TiffEncoder::encode (const PlatformImage& image, bool withAlpha, juce::OutputStream& out)
{
    if (! image.isValid())
        return false;

    TiffMemoryFile file;
    {
        const auto tif = file.open ("w");
        if (tif == nullptr || ! writeTiff (tif.get(), image, withAlpha))
            return false;
    }
    const auto& bytes = file.getWritten();
    return ! bytes.empty() && out.write (bytes.data(), bytes.size());
}
