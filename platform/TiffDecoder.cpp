#include "TiffDecoder.h"

#include "ImageRefusal.h"
#include "TiffExifReader.h"
#include "TiffMemoryFile.h"

#include <algorithm>
#include <cstring>

namespace
{
    /** Each axis the file states in inches or centimetres; the other stays 72. */
    void readResolution (TIFF* tif, PlatformImage& image)
    {
        uint16_t unit = RESUNIT_INCH;
        TIFFGetFieldDefaulted (tif, TIFFTAG_RESOLUTIONUNIT, &unit);
        if (unit != RESUNIT_INCH && unit != RESUNIT_CENTIMETER)
            return;
        const double scale = unit == RESUNIT_CENTIMETER ? 2.54 : 1.0;
        float x = 0, y = 0;
        if (TIFFGetField (tif, TIFFTAG_XRESOLUTION, &x) == 1 && x > 0 && x < 1.0e6f)
            image.resolutionX = x * scale;
        if (TIFFGetField (tif, TIFFTAG_YRESOLUTION, &y) == 1 && y > 0 && y < 1.0e6f)
            image.resolutionY = y * scale;
    }

    int readOrientation (TIFF* tif)
    {
        uint16_t orientation = ORIENTATION_TOPLEFT;
        TIFFGetFieldDefaulted (tif, TIFFTAG_ORIENTATION, &orientation);
        return orientation >= 1 && orientation <= 8 ? orientation : 1;
    }

    void unpremultiplyRow (uint8_t* p, int width) noexcept
    {
        for (int x = 0; x < width; ++x, p += 4)
        {
            const int a = p[3];
            if (a == 0 || a == 255)
                continue;
            for (int c = 0; c < 3; ++c)
                p[c] = (uint8_t) std::min (255, (p[c] * 255 + a / 2) / a);
        }
    }

    /** Contiguous 8-bit RGB or RGBA in strips: rows are read as stored. */
    bool readPlainRgb (TIFF* tif, PlatformImage& image)
    {
        uint16_t bits = 0, samples = 0, planar = PLANARCONFIG_CONTIG, photometric = 0;
        TIFFGetFieldDefaulted (tif, TIFFTAG_BITSPERSAMPLE, &bits);
        TIFFGetFieldDefaulted (tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetFieldDefaulted (tif, TIFFTAG_PLANARCONFIG, &planar);
        if (TIFFGetField (tif, TIFFTAG_PHOTOMETRIC, &photometric) != 1 || photometric != PHOTOMETRIC_RGB
            || bits != 8 || (samples != 3 && samples != 4) || planar != PLANARCONFIG_CONTIG || TIFFIsTiled (tif))
            return false;

        bool premultiplied = false;
        if (samples == 4)
        {
            uint16_t extraCount = 0;
            uint16_t* extra = nullptr;
            if (TIFFGetField (tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) != 1 || extraCount != 1)
                return false;
            premultiplied = extra[0] == EXTRASAMPLE_ASSOCALPHA;
        }

        if (TIFFScanlineSize (tif) < (tmsize_t) image.width * samples)
            return false;
        std::vector<uint8_t> line ((size_t) TIFFScanlineSize (tif));
        for (int y = 0; y < image.height; ++y)
        {
            if (TIFFReadScanline (tif, line.data(), (uint32_t) y, 0) != 1)
                return false;
            uint8_t* d = image.getRow (y);
            const uint8_t* s = line.data();
            for (int x = 0; x < image.width; ++x, d += 4, s += samples)
            {
                d[0] = s[0]; d[1] = s[1]; d[2] = s[2];
                d[3] = samples == 4 ? s[3] : 255;
            }
            if (premultiplied)
                unpremultiplyRow (image.getRow (y), image.width);
        }
        return true;
    }

    /** Everything else: libtiff's RGBA interface, which hands back premultiplied colour.
        Asking for the file's own orientation keeps the rows in stored order: the decoder
        of files turns them upright, for all eight orientations (the interface itself
        only flips). */
    bool readThroughRgbaInterface (TIFF* tif, PlatformImage& image)
    {
        char message[1024] = {};
        if (TIFFRGBAImageOK (tif, message) != 1)
        {
            ImageRefusalNote::note (ImageRefusal::unsupportedKind);
            return false;
        }
        std::vector<uint32_t> raster ((size_t) image.width * (size_t) image.height);
        if (TIFFReadRGBAImageOriented (tif, (uint32_t) image.width, (uint32_t) image.height, raster.data(),
                                       image.orientation, 0) != 1)
            return false;
        for (int y = 0; y < image.height; ++y)
        {
            uint8_t* d = image.getRow (y);
            const uint32_t* s = raster.data() + (size_t) y * (size_t) image.width;
            for (int x = 0; x < image.width; ++x, d += 4)
            {
                d[0] = (uint8_t) TIFFGetR (s[x]);
                d[1] = (uint8_t) TIFFGetG (s[x]);
                d[2] = (uint8_t) TIFFGetB (s[x]);
                d[3] = (uint8_t) TIFFGetA (s[x]);
            }
            unpremultiplyRow (image.getRow (y), image.width);
        }
        return true;
    }
}

bool TiffDecoder::hasSignature (const void* data, size_t size) noexcept
{
    const auto* b = static_cast<const uint8_t*> (data);
    return size >= 4 && ((b[0] == 'I' && b[1] == 'I' && b[2] == 42 && b[3] == 0)
                         || (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && b[3] == 42));
}

std::optional<PlatformImage> TiffDecoder::decode (const void* data, size_t size)
{
    if (! hasSignature (data, size))
        return std::nullopt;

    TiffMemoryFile memory (data, size);
    const auto tif = memory.open ("rm");
    if (tif == nullptr)
        return std::nullopt;

    uint32_t width = 0, height = 0;
    if (TIFFGetField (tif.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 || TIFFGetField (tif.get(), TIFFTAG_IMAGELENGTH, &height) != 1)
        return std::nullopt;

    PlatformImage image;
    if (! image.allocate ((int) std::min<uint32_t> (width, 0x7fffffff), (int) std::min<uint32_t> (height, 0x7fffffff)))
        return std::nullopt;

    image.orientation = readOrientation (tif.get());
    if (! readPlainRgb (tif.get(), image) && ! readThroughRgbaInterface (tif.get(), image))
        return std::nullopt;

    readResolution (tif.get(), image);
    image.exifBlock = TiffExifReader::read (data, size);
    return image;
}
