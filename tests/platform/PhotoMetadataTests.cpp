// Opening photographs: pixels upright by their orientation, resolution per axis with the
// 72-dpi rule, camera metadata from every container, hostile metadata, and the reasons
// given when a file does not open.

#include "ExifMetadata.h"
#include "ExifTestBlocks.h"
#include "JpegCodec.h"
#include "PlatformImageDecoder.h"
#include "PngCodec.h"
#include "TestImages.h"
#include "TiffExifReader.h"

#include <gtest/gtest.h>
#include <tiffio.h>
#include <zlib.h>

#include <functional>

namespace
{
    using Bytes = std::vector<uint8_t>;

    struct Rgb { uint8_t r, g, b; };
    constexpr Rgb topLeft { 230, 30, 30 }, topRight { 30, 200, 40 }, bottomLeft { 40, 60, 220 }, bottomRight { 245, 245, 245 };

    /** 64 x 32 upright picture of four colours, quadrants aligned to JPEG's 16-pixel blocks. */
    PlatformImage uprightPicture()
    {
        PlatformImage image;
        image.allocate (64, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x)
            {
                const Rgb c = y < 16 ? (x < 32 ? topLeft : topRight) : (x < 32 ? bottomLeft : bottomRight);
                uint8_t* p = image.getRow (y) + x * 4;
                p[0] = c.r; p[1] = c.g; p[2] = c.b; p[3] = 255;
            }
        return image;
    }

    /** The stored pixels that orientation o shows as the upright picture U (W x H), from the
        definitions of the eight orientations: where the stored row 0 and column 0 appear. */
    PlatformImage storedAs (const PlatformImage& u, int o)
    {
        const int W = u.width, H = u.height;
        const bool side = o >= 5;
        PlatformImage s;
        s.allocate (side ? H : W, side ? W : H);
        for (int sy = 0; sy < s.height; ++sy)
            for (int sx = 0; sx < s.width; ++sx)
            {
                int x = sx, y = sy;
                switch (o)
                {
                    case 2: x = W - 1 - sx; y = sy; break;
                    case 3: x = W - 1 - sx; y = H - 1 - sy; break;
                    case 4: x = sx; y = H - 1 - sy; break;
                    case 5: x = sy; y = sx; break;
                    case 6: x = W - 1 - sy; y = sx; break;
                    case 7: x = W - 1 - sy; y = H - 1 - sx; break;
                    case 8: x = sy; y = H - 1 - sx; break;
                    default: break;
                }
                std::memcpy (s.getRow (sy) + sx * 4, u.getRow (y) + x * 4, 4);
            }
        return s;
    }

    void expectUpright (const PlatformImage& image, int tolerance)
    {
        ASSERT_EQ (image.width, 64);
        ASSERT_EQ (image.height, 32);
        const struct { int x, y; Rgb c; } probes[] = {
            { 16, 8, topLeft }, { 48, 8, topRight }, { 16, 24, bottomLeft }, { 48, 24, bottomRight }
        };
        for (const auto& p : probes)
        {
            const uint8_t* px = image.getRow (p.y) + p.x * 4;
            EXPECT_NEAR (px[0], p.c.r, tolerance) << "at " << p.x << "," << p.y;
            EXPECT_NEAR (px[1], p.c.g, tolerance) << "at " << p.x << "," << p.y;
            EXPECT_NEAR (px[2], p.c.b, tolerance) << "at " << p.x << "," << p.y;
        }
    }

    Bytes toBytes (const juce::MemoryOutputStream& out)
    {
        auto* p = static_cast<const uint8_t*> (out.getData());
        return Bytes (p, p + out.getDataSize());
    }

    Bytes jpegWith (const PlatformImage& image, double densityX, double densityY, const juce::MemoryBlock& exif)
    {
        JpegCodec::WriteSettings settings;
        settings.quality = 95;
        settings.densityX = densityX;
        settings.densityY = densityY;
        if (! exif.isEmpty())
            settings.markers.push_back ({ 0xe1, exif });
        juce::MemoryOutputStream out;
        EXPECT_TRUE (JpegCodec::encode (image, settings, out));
        return toBytes (out);
    }

    /** Rewrites the JFIF header libjpeg wrote: unit, then each density (16-bit). */
    void setJfifDensity (Bytes& jpeg, int unit, int x, int y)
    {
        ASSERT_EQ (std::memcmp (jpeg.data() + 6, "JFIF", 4), 0);
        jpeg[13] = (uint8_t) unit;
        jpeg[14] = (uint8_t) (x >> 8); jpeg[15] = (uint8_t) x;
        jpeg[16] = (uint8_t) (y >> 8); jpeg[17] = (uint8_t) y;
    }

    Bytes pngWith (const PlatformImage& image)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (PngCodec::encode (image, true, out));
        return toBytes (out);
    }

    /** Rewrites the pHYs chunk of a PNG written by PngCodec (values and unit), CRC included. */
    void setPhys (Bytes& png, uint32_t x, uint32_t y, uint8_t unit)
    {
        for (size_t pos = 8; pos + 12 <= png.size();)
        {
            const uint32_t length = (uint32_t) png[pos] << 24 | (uint32_t) png[pos + 1] << 16 | (uint32_t) png[pos + 2] << 8 | png[pos + 3];
            if (std::memcmp (png.data() + pos + 4, "pHYs", 4) == 0)
            {
                uint8_t* d = png.data() + pos + 8;
                for (int i = 0; i < 4; ++i) { d[i] = (uint8_t) (x >> (24 - 8 * i)); d[4 + i] = (uint8_t) (y >> (24 - 8 * i)); }
                d[8] = unit;
                const uLong crc = crc32 (0, png.data() + pos + 4, 4 + 9);
                for (int i = 0; i < 4; ++i)
                    d[9 + i] = (uint8_t) (crc >> (24 - 8 * i));
                return;
            }
            pos += 12 + length;
        }
        FAIL() << "no pHYs";
    }

    struct TiffFields
    {
        int orientation = 0;
        bool separatePlanes = false;
        float xResolution = 0, yResolution = 0;
        int resolutionUnit = 0;
        std::function<void (TIFF*)> more;
    };

    Bytes tiffWith (const PlatformImage& image, const TiffFields& fields)
    {
        sxtest::TempFolder temp;
        const auto file = temp.get().getChildFile ("t.tif");
        TIFF* tif = TIFFOpen (file.getFullPathName().toRawUTF8(), "w");
        TIFFSetField (tif, TIFFTAG_IMAGEWIDTH, (uint32_t) image.width);
        TIFFSetField (tif, TIFFTAG_IMAGELENGTH, (uint32_t) image.height);
        TIFFSetField (tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField (tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField (tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField (tif, TIFFTAG_PLANARCONFIG, fields.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
        if (fields.orientation != 0)
            TIFFSetField (tif, TIFFTAG_ORIENTATION, fields.orientation);
        if (fields.xResolution != 0)
            TIFFSetField (tif, TIFFTAG_XRESOLUTION, fields.xResolution);
        if (fields.yResolution != 0)
            TIFFSetField (tif, TIFFTAG_YRESOLUTION, fields.yResolution);
        if (fields.resolutionUnit != 0)
            TIFFSetField (tif, TIFFTAG_RESOLUTIONUNIT, fields.resolutionUnit);
        if (fields.more)
            fields.more (tif);
        for (int plane = 0; plane < (fields.separatePlanes ? 3 : 1); ++plane)
            for (int y = 0; y < image.height; ++y)
            {
                Bytes row;
                for (int x = 0; x < image.width; ++x)
                    for (int c = 0; c < 3; ++c)
                        if (! fields.separatePlanes || c == plane)
                            row.push_back (image.getRow (y)[x * 4 + c]);
                TIFFWriteScanline (tif, row.data(), (uint32_t) y, (uint16_t) plane);
            }
        TIFFClose (tif);
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        auto* p = static_cast<const uint8_t*> (data.getData());
        return Bytes (p, p + data.getSize());
    }

    PlatformImage decoded (const Bytes& data)
    {
        auto image = PlatformImageDecoder::decode (data.data(), data.size());
        EXPECT_TRUE (image.has_value());
        return image.value_or (PlatformImage());
    }
}

TEST (PhotoOrientation, JpegsTaggedOneToEightDecodeToOneUprightPicture)
{
    const auto upright = uprightPicture();
    for (int o = 1; o <= 8; ++o)
    {
        SCOPED_TRACE ("orientation " + std::to_string (o));
        sxtest::ExifSpec spec;
        spec.orientation = o;
        const auto jpeg = jpegWith (storedAs (upright, o), 300, 150, sxtest::makeExifBlock (spec));
        const auto image = decoded (jpeg);
        expectUpright (image, 24);
        EXPECT_EQ (image.orientation, 1);
        // A quarter turn swaps the axes of the resolution with those of the picture.
        EXPECT_EQ (image.resolutionX, o >= 5 ? 150.0 : 300.0);
        EXPECT_EQ (image.resolutionY, o >= 5 ? 300.0 : 150.0);
        // The block stays as the file holds it; writers set Orientation 1.
        EXPECT_EQ (ExifMetadata::readOrientation (image.exifBlock), o);
    }
}

TEST (PhotoOrientation, TiffOrientationTagAndPngExifTurnThePixelsToo)
{
    const auto upright = uprightPicture();
    for (const bool separate : { false, true })
        for (int o = 1; o <= 8; ++o)
        {
            // Separate planes take libtiff's RGBA interface, contiguous ones the direct path.
            SCOPED_TRACE ((separate ? "planar, orientation " : "contiguous, orientation ") + std::to_string (o));
            TiffFields fields;
            fields.orientation = o;
            fields.separatePlanes = separate;
            expectUpright (decoded (tiffWith (storedAs (upright, o), fields)), 0);
        }

    for (const int o : { 3, 6, 8 })
    {
        SCOPED_TRACE ("png orientation " + std::to_string (o));
        auto stored = storedAs (upright, o);
        sxtest::ExifSpec spec;
        spec.orientation = o;
        stored.exifBlock = sxtest::makeExifBlock (spec);
        expectUpright (decoded (pngWith (stored)), 0);
    }

    // Values outside 1 to 8 leave the pixels as stored.
    sxtest::ExifSpec spec;
    spec.orientation = 9;
    expectUpright (decoded (jpegWith (upright, 72, 72, sxtest::makeExifBlock (spec))), 24);
}

TEST (PhotoResolution, EachAxisFromTheFileOrSeventyTwo)
{
    const auto picture = uprightPicture();
    const auto exifResolution = [] (uint32_t x, uint32_t y, int unit)
    {
        sxtest::ExifSpec spec;
        spec.xResolution = x;
        spec.yResolution = y;
        spec.resolutionUnit = unit;
        return sxtest::makeExifBlock (spec);
    };
    const auto jpeg = [&] (int unit, int x, int y, const juce::MemoryBlock& exif)
    {
        auto bytes = jpegWith (picture, 72, 72, exif);
        setJfifDensity (bytes, unit, x, y);
        return bytes;
    };
    const auto png = [&] (uint32_t x, uint32_t y, uint8_t unit)
    {
        auto bytes = pngWith (picture);
        setPhys (bytes, x, y, unit);
        return bytes;
    };
    const auto tiff = [&] (float x, float y, int unit)
    {
        TiffFields fields;
        fields.xResolution = x;
        fields.yResolution = y;
        fields.resolutionUnit = unit;
        return tiffWith (picture, fields);
    };

    struct Case { const char* name; Bytes data; double x, y; };
    const Case cases[] = {
        { "jpeg, JFIF density 0", jpeg (1, 0, 0, {}), 72, 72 },
        { "jpeg, JFIF 300 x none", jpeg (1, 300, 0, {}), 300, 72 },
        { "jpeg, JFIF per centimetre", jpeg (2, 118, 59, {}), 118 * 2.54, 59 * 2.54 },
        { "jpeg, JFIF aspect only, Exif inch", jpeg (0, 1, 1, exifResolution (300, 200, 2)), 300, 200 },
        { "jpeg, JFIF aspect only, Exif centimetre", jpeg (0, 1, 1, exifResolution (118, 118, 3)), 118 * 2.54, 118 * 2.54 },
        { "jpeg, JFIF wins over Exif", jpeg (1, 150, 150, exifResolution (300, 300, 2)), 150, 150 },
        { "jpeg, JFIF 0, Exif x only", jpeg (1, 0, 0, exifResolution (300, 0, 2)), 300, 72 },
        { "jpeg, Exif without unit", jpeg (0, 1, 1, exifResolution (300, 300, 1)), 72, 72 },
        { "tiff, none", tiff (0, 0, 0), 72, 72 },
        { "tiff, 300 x none", tiff (300, 0, RESUNIT_INCH), 300, 72 },
        { "tiff, per centimetre", tiff (118, 59, RESUNIT_CENTIMETER), 118 * 2.54, 59 * 2.54 },
        { "tiff, no unit", tiff (300, 300, RESUNIT_NONE), 72, 72 },
        { "png, 11811 x 0", png (11811, 0, 1), 300, 72 },
        { "png, between whole values", png (2854, 2835, 1), 2854 * 0.0254, 72 },
        { "png, aspect only", png (11811, 11811, 0), 72, 72 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = decoded (c.data);
        EXPECT_NEAR (image.resolutionX, c.x, 0.01);
        EXPECT_NEAR (image.resolutionY, c.y, 0.01);
    }
}

TEST (PhotoMetadata, PngAndTiffCarryTheirExifBlocks)
{
    const auto picture = uprightPicture();
    sxtest::ExifSpec spec;
    spec.makerNoteBytes = 300;
    spec.privateTag = true;
    const auto block = sxtest::makeExifBlock (spec);

    auto withExif = picture;
    withExif.exifBlock = block;
    const auto fromPng = decoded (pngWith (withExif));
    EXPECT_EQ (fromPng.exifBlock, block);

    // A TIFF keeps IFD0 tags beside its pixel tags and the Exif directory apart.
    TiffFields fields;
    fields.more = [] (TIFF* tif)
    {
        TIFFSetField (tif, TIFFTAG_MAKE, "Testmaker");
        TIFFSetField (tif, TIFFTAG_MODEL, "TM-1");
        TIFFSetField (tif, TIFFTAG_SOFTWARE, "a scanner");
    };
    const auto fromTiff = decoded (tiffWith (picture, fields));
    EXPECT_EQ (sxtest::exifValue (fromTiff.exifBlock, EXIF_IFD_0, EXIF_TAG_MAKE), "Testmaker");
    EXPECT_EQ (sxtest::exifValue (fromTiff.exifBlock, EXIF_IFD_0, EXIF_TAG_MODEL), "TM-1");
    EXPECT_EQ (sxtest::exifValue (fromTiff.exifBlock, EXIF_IFD_0, EXIF_TAG_SOFTWARE), "a scanner");
    EXPECT_TRUE (sxtest::exifBytes (fromTiff.exifBlock, EXIF_IFD_0, EXIF_TAG_STRIP_OFFSETS).empty());
    EXPECT_TRUE (decoded (tiffWith (picture, {})).exifBlock.isEmpty());
}

TEST (PhotoMetadata, TiffExifDirectoryEntriesArriveByteForByte)
{
    // A TIFF built by hand (big-endian): IFD0 with Make and an Exif pointer; the Exif
    // directory with a rational, a private tag and a maker note stored away from it.
    Bytes t { 'M', 'M', 0, 42, 0, 0, 0, 8 };
    const auto put16 = [&] (int v) { t.push_back ((uint8_t) (v >> 8)); t.push_back ((uint8_t) v); };
    const auto put32 = [&] (uint32_t v) { put16 ((int) (v >> 16)); put16 ((int) (v & 0xffff)); };
    // IFD0 at 8: two entries.
    put16 (2);
    put16 (271); put16 (2); put32 (4); t.insert (t.end(), { 'A', 'b', 'c', 0 });
    put16 (34665); put16 (4); put32 (1); put32 (38);
    put32 (0);
    // Exif directory at 38: three entries, then their data at 80.
    put16 (3);
    put16 (33434); put16 (5); put32 (1); put32 (80);
    put16 (0xc4a5); put16 (3); put32 (1); put16 (4242); put16 (0);
    put16 (37500); put16 (7); put32 (6); put32 (88);
    put32 (0);
    put32 (1); put32 (250);
    t.insert (t.end(), { 9, 8, 7, 6, 5, 4 });

    const auto block = TiffExifReader::read (t.data(), t.size());
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_MAKE), "Abc");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME), "1/250");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, sxtest::privateTestTag), "4242");
    EXPECT_EQ (sxtest::exifBytes (block, EXIF_IFD_EXIF, EXIF_TAG_MAKER_NOTE), (Bytes { 9, 8, 7, 6, 5, 4 }));

    // Offsets and counts that reach outside the data drop those entries, nothing else.
    auto broken = t;
    broken[48] = 0x7f;               // the exposure's offset
    broken[68] = 0xff;               // the maker note's count
    const auto partial = TiffExifReader::read (broken.data(), broken.size());
    EXPECT_EQ (sxtest::exifValue (partial, EXIF_IFD_0, EXIF_TAG_MAKE), "Abc");
    EXPECT_EQ (sxtest::exifValue (partial, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME), "");
    EXPECT_TRUE (sxtest::exifBytes (partial, EXIF_IFD_EXIF, EXIF_TAG_MAKER_NOTE).empty());
    EXPECT_EQ (sxtest::exifValue (partial, EXIF_IFD_EXIF, sxtest::privateTestTag), "4242");
}

namespace
{
    /** A 64 x 48 linear DNG (LibRaw refuses smaller ones) named as a camera raw file: left
        half red, top half green, stored turned a quarter (Orientation 6), with the shot's
        data in IFD0 and an Exif directory. */
    juce::File writeTurnedRawFile (const juce::File& folder)
    {
        const auto file = folder.getChildFile ("shot.NEF");
        TIFF* tif = TIFFOpen (file.getFullPathName().toRawUTF8(), "w");
        TIFFCreateEXIFDirectory (tif);
        TIFFSetField (tif, EXIFTAG_EXPOSURETIME, 1.0 / 250.0);
        TIFFSetField (tif, EXIFTAG_FNUMBER, 2.8);
        const uint16_t iso[] = { 400 };
        TIFFSetField (tif, EXIFTAG_ISOSPEEDRATINGS, 1, iso);
        TIFFSetField (tif, EXIFTAG_FOCALLENGTH, 35.0);
        TIFFSetField (tif, EXIFTAG_DATETIMEORIGINAL, "2021:05:06 07:08:09");
        uint64_t exifOffset = 0;
        TIFFWriteCustomDirectory (tif, &exifOffset);
        TIFFFreeDirectory (tif);
        TIFFCreateDirectory (tif);

        const int w = 64, h = 48;
        TIFFSetField (tif, TIFFTAG_SUBFILETYPE, 0);
        TIFFSetField (tif, TIFFTAG_IMAGEWIDTH, w);
        TIFFSetField (tif, TIFFTAG_IMAGELENGTH, h);
        TIFFSetField (tif, TIFFTAG_BITSPERSAMPLE, 16);
        TIFFSetField (tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField (tif, TIFFTAG_PHOTOMETRIC, 34892); // linear raw
        TIFFSetField (tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField (tif, TIFFTAG_ORIENTATION, ORIENTATION_RIGHTTOP);
        TIFFSetField (tif, TIFFTAG_MAKE, "Testmaker");
        TIFFSetField (tif, TIFFTAG_MODEL, "TM-1");
        TIFFSetField (tif, TIFFTAG_DATETIME, "2021:05:06 07:08:09");
        const uint8_t version[] = { 1, 4, 0, 0 };
        TIFFSetField (tif, TIFFTAG_DNGVERSION, version);
        TIFFSetField (tif, TIFFTAG_UNIQUECAMERAMODEL, "Testmaker TM-1");
        const float identity[] = { 1, 0, 0, 0, 1, 0, 0, 0, 1 };
        TIFFSetField (tif, TIFFTAG_COLORMATRIX1, 9, identity);
        const float neutral[] = { 1, 1, 1 };
        TIFFSetField (tif, TIFFTAG_ASSHOTNEUTRAL, 3, neutral);
        TIFFSetField (tif, TIFFTAG_EXIFIFD, exifOffset);
        std::vector<uint16_t> row ((size_t) w * 3);
        for (int y = 0; y < h; ++y)
        {
            for (int x = 0; x < w; ++x)
            {
                row[(size_t) x * 3] = x < w / 2 ? 60000 : 1000;
                row[(size_t) x * 3 + 1] = y < h / 2 ? 60000 : 1000;
                row[(size_t) x * 3 + 2] = 1000;
            }
            TIFFWriteScanline (tif, row.data(), (uint32_t) y, 0);
        }
        TIFFWriteDirectory (tif);
        TIFFClose (tif);
        return file;
    }
}

TEST (PhotoMetadata, RawFilesArriveUprightWithTheirShotAndOrientationOne)
{
    sxtest::TempFolder temp;
    const auto opened = PlatformImageDecoder::openFile (writeTurnedRawFile (temp.get()));
    ASSERT_TRUE (opened.image.has_value());
    const auto& image = *opened.image;

    // Orientation 6 shows the stored left half on top and the stored top half on the right.
    ASSERT_EQ (image.width, 48);
    ASSERT_EQ (image.height, 64);
    const auto red = [&] (int x, int y) { return image.getRow (y)[x * 4]; };
    const auto green = [&] (int x, int y) { return image.getRow (y)[x * 4 + 1]; };
    EXPECT_GT (red (24, 8), 200);
    EXPECT_LT (red (24, 56), 100);
    EXPECT_GT (green (40, 32), 200);
    EXPECT_LT (green (8, 32), 100);

    const auto& block = image.exifBlock;
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_ORIENTATION), "1");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_MAKE), "Testmaker");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_0, EXIF_TAG_MODEL), "TM-1");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL), "2021:05:06 07:08:09");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME), "1/250");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_FNUMBER), "14/5");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS), "400");
    EXPECT_EQ (sxtest::exifValue (block, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH), "35/1");
    EXPECT_EQ (image.resolutionX, 72.0);
}

TEST (PhotoMetadata, HostileExifNeitherCrashesNorHangs)
{
    // Big-endian TIFF structures behind the Exif header, each broken in one way.
    const auto block = [] (std::initializer_list<uint8_t> tiff)
    {
        juce::MemoryBlock b ("Exif\0\0", 6);
        const Bytes bytes (tiff);
        b.append (bytes.data(), bytes.size());
        return b;
    };
    struct Case { const char* name; juce::MemoryBlock exif; };
    const Case cases[] = {
        { "IFD0 names itself as the next directory",
          block ({ 'M', 'M', 0, 42, 0, 0, 0, 8,  0, 1,  1, 0x12, 0, 3, 0, 0, 0, 1, 0, 1, 0, 0,  0, 0, 0, 8 }) },
        { "Exif pointer back to IFD0",
          block ({ 'M', 'M', 0, 42, 0, 0, 0, 8,  0, 1,  0x87, 0x69, 0, 4, 0, 0, 0, 1, 0, 0, 0, 8,  0, 0, 0, 0 }) },
        { "huge count",
          block ({ 'M', 'M', 0, 42, 0, 0, 0, 8,  0, 1,  1, 0x0f, 0, 2, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 8,  0, 0, 0, 0 }) },
        { "offset beyond the end",
          block ({ 'M', 'M', 0, 42, 0, 0, 0, 8,  0, 1,  1, 0x0f, 0, 2, 0, 0, 0, 20, 0x7f, 0xff, 0xff, 0xf0,  0, 0, 0, 0 }) },
        { "entry count beyond the data",
          block ({ 'M', 'M', 0, 42, 0, 0, 0, 8,  0xff, 0xff,  1, 0x12, 0, 3 }) },
        { "first directory beyond the data",
          block ({ 'M', 'M', 0, 42, 0xff, 0xff, 0xff, 0xf0 }) },
        { "orientation as text",
          block ({ 'M', 'M', 0, 42, 0, 0, 0, 8,  0, 1,  1, 0x12, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0 }) },
        { "header only", block ({}) },
    };

    const auto picture = uprightPicture();
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = decoded (jpegWith (picture, 72, 72, c.exif));
        EXPECT_TRUE (image.isValid());
        expectUpright (image, 24);
        // Preparing it for a written file gives a block or nothing, never a crash.
        const auto prepared = ExifMetadata::prepareForWriting (c.exif, 64, 32, 72, 72);
        if (! prepared.isEmpty())
        {
            EXPECT_EQ (sxtest::exifValue (prepared, EXIF_IFD_0, EXIF_TAG_ORIENTATION), "1");
        }
        const auto tiff = ExifMetadata::toTiffStructure (c.exif);
        TiffExifReader::read (tiff.getData(), tiff.getSize());
    }
}

TEST (PhotoMetadata, ARefusalSaysWhy)
{
    sxtest::TempFolder temp;
    const auto write = [&] (const char* name, const Bytes& bytes)
    {
        const auto file = temp.get().getChildFile (name);
        file.replaceWithData (bytes.data(), bytes.size());
        return file;
    };
    const auto psdHeader = [] (int depth, int mode)
    {
        Bytes b { '8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 8, 0, 0, 0, 8, 0, (uint8_t) depth, 0, (uint8_t) mode };
        b.resize (64, 0);
        return b;
    };
    const auto bmpHeader = [] (uint32_t width, uint32_t compression)
    {
        Bytes b (54, 0);
        b[0] = 'B'; b[1] = 'M';
        b[10] = 54; b[14] = 40;
        for (int i = 0; i < 4; ++i) { b[18 + i] = (uint8_t) (width >> (8 * i)); b[22 + i] = (uint8_t) (width >> (8 * i)); }
        b[26] = 1; b[28] = 24;
        b[30] = (uint8_t) compression;
        return b;
    };
    auto jpeg = jpegWith (uprightPicture(), 72, 72, {});
    jpeg.resize (jpeg.size() / 2);
    const auto folder = temp.get().getChildFile ("folder.jpg");
    folder.createDirectory();

    struct Case { const char* name; juce::File file; ImageRefusal refusal; };
    const Case cases[] = {
        { "missing", temp.get().getChildFile ("missing.jpg"), ImageRefusal::unreadable },
        { "a folder", folder, ImageRefusal::unreadable },
        { "text", write ("notes.jpg", Bytes { 'h', 'e', 'l', 'l', 'o' }), ImageRefusal::notAnImage },
        { "text named raw", write ("notes.nef", Bytes (4096, 'x')), ImageRefusal::notAnImage },
        { "cut short", write ("half.jpg", jpeg), ImageRefusal::damaged },
        { "CMYK document", write ("cmyk.psd", psdHeader (8, 4)), ImageRefusal::unsupportedKind },
        { "16-bit document", write ("deep.psd", psdHeader (16, 3)), ImageRefusal::unsupportedKind },
        { "run-length bitmap", write ("rle.bmp", bmpHeader (4, 1)), ImageRefusal::unsupportedKind },
        { "huge bitmap", write ("huge.bmp", bmpHeader (60000, 0)), ImageRefusal::tooLarge },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto opened = PlatformImageDecoder::openFile (c.file);
        EXPECT_FALSE (opened.image.has_value());
        EXPECT_EQ (opened.refusal, c.refusal);
        EXPECT_TRUE (describeImageRefusal (c.refusal).isNotEmpty());
    }
    EXPECT_TRUE (describeImageRefusal (ImageRefusal::none).isEmpty());
    EXPECT_EQ (PlatformImageDecoder::openFile (write ("good.png", pngWith (uprightPicture()))).refusal, ImageRefusal::none);
}
