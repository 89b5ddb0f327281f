// The JPEG 2000, TIFF and PNG writers: pixels, alpha, resolution and camera metadata as
// other programs find them in the files.

#include "ExifTestBlocks.h"
#include "Jpeg2000Codec.h"
#include "PlatformImageDecoder.h"
#include "PngCodec.h"
#include "TestImages.h"
#include "TiffEncoder.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cmath>

namespace
{
    using Bytes = std::vector<uint8_t>;

    /** A smooth picture with some texture and, optionally, an alpha ramp. */
    PlatformImage texturedPicture (int width, int height, bool translucent)
    {
        PlatformImage image;
        image.allocate (width, height);
        juce::Random random (7);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                uint8_t* p = image.getRow (y) + x * 4;
                p[0] = (uint8_t) (128 + 100 * std::sin (x * 0.05) + random.nextInt (8));
                p[1] = (uint8_t) (128 + 100 * std::cos (y * 0.07) + random.nextInt (8));
                p[2] = (uint8_t) ((x + y) & 0xff);
                p[3] = translucent ? (uint8_t) ((x * 255) / std::max (1, width - 1)) : 255;
            }
        return image;
    }

    Bytes bytesOf (const juce::MemoryOutputStream& out)
    {
        auto* p = static_cast<const uint8_t*> (out.getData());
        return Bytes (p, p + out.getDataSize());
    }

    Bytes encodeJp2 (const PlatformImage& image, int quality, bool alpha, int threads = 0)
    {
        juce::MemoryOutputStream out;
        Jpeg2000Codec::WriteSettings settings;
        settings.quality = quality;
        settings.withAlpha = alpha;
        settings.threads = threads;
        EXPECT_TRUE (Jpeg2000Codec::encode (image, settings, out));
        return bytesOf (out);
    }

    double meanAbsoluteError (const PlatformImage& a, const PlatformImage& b)
    {
        double sum = 0;
        for (size_t i = 0; i < a.rgba.size(); ++i)
            sum += std::abs ((int) a.rgba[i] - (int) b.rgba[i]);
        return sum / (double) a.rgba.size();
    }

    struct TiffFile
    {
        explicit TiffFile (const Bytes& data)
        {
            file = temp.get().getChildFile ("written.tif");
            file.replaceWithData (data.data(), data.size());
            tif = TIFFOpen (file.getFullPathName().toRawUTF8(), "r");
        }
        ~TiffFile() { if (tif != nullptr) TIFFClose (tif); }

        sxtest::TempFolder temp;
        juce::File file;
        TIFF* tif = nullptr;
    };
}

TEST (Jpeg2000Codec, QualityHundredIsLosslessAcrossTilesWithResolutionAndExif)
{
    sxtest::ExifSpec spec;
    spec.makerNoteBytes = 100;
    spec.privateTag = true;
    const auto exif = sxtest::makeExifBlock (spec);

    struct Case { const char* name; int width, height; bool alpha; };
    const Case cases[] = {
        { "rgba, one tile", 37, 23, true },
        { "rgb, one tile", 37, 23, false },
        { "rgba, two tiles across, a one-pixel column", 2049, 9, true },
        { "a single pixel", 1, 1, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto image = texturedPicture (c.width, c.height, c.alpha);
        image.resolutionX = 300;
        image.resolutionY = 150;
        image.exifBlock = exif;
        const auto file = encodeJp2 (image, 100, c.alpha);
        ASSERT_TRUE (Jpeg2000Codec::hasSignature (file.data(), file.size()));

        const auto back = Jpeg2000Codec::decode (file.data(), file.size());
        ASSERT_TRUE (back.has_value());
        ASSERT_EQ (back->width, c.width);
        ASSERT_EQ (back->height, c.height);
        EXPECT_EQ (back->rgba, image.rgba);
        EXPECT_NEAR (back->resolutionX, 300.0, 1.0e-6);
        EXPECT_NEAR (back->resolutionY, 150.0, 1.0e-6);
        EXPECT_EQ (back->exifBlock, exif);
    }

    // Without Exif there is no Exif box; resolutions that need a larger exponent still read back.
    auto plain = texturedPicture (8, 8, false);
    plain.resolutionX = 72.5;
    plain.resolutionY = 4800;
    const auto file = encodeJp2 (plain, 100, false);
    const auto back = Jpeg2000Codec::decode (file.data(), file.size());
    ASSERT_TRUE (back.has_value());
    EXPECT_TRUE (back->exifBlock.isEmpty());
    EXPECT_NEAR (back->resolutionX, 72.5, 1.0e-6);
    EXPECT_NEAR (back->resolutionY, 4800.0, 1.0e-6);
}

TEST (Jpeg2000Codec, LowerQualityGivesSmallerFilesAndLargerErrors)
{
    EXPECT_EQ (Jpeg2000Codec::compressionRatio (100), 0.0);
    EXPECT_NEAR (Jpeg2000Codec::compressionRatio (99), 3.0, 1.0e-9);
    EXPECT_NEAR (Jpeg2000Codec::compressionRatio (0), 200.0, 1.0e-9);
    for (int q = 1; q < 99; ++q)
        EXPECT_GT (Jpeg2000Codec::compressionRatio (q), Jpeg2000Codec::compressionRatio (q + 1)) << q;

    const auto image = texturedPicture (160, 120, false);
    size_t previousSize = 0;
    double previousError = -1;
    for (const int quality : { 0, 20, 50, 80, 99 })
    {
        SCOPED_TRACE ("quality " + std::to_string (quality));
        const auto file = encodeJp2 (image, quality, false);
        const auto back = Jpeg2000Codec::decode (file.data(), file.size());
        ASSERT_TRUE (back.has_value());
        const double error = meanAbsoluteError (*back, image);
        EXPECT_GT (file.size(), previousSize);
        if (previousError >= 0)
        {
            EXPECT_LT (error, previousError);
        }
        previousSize = file.size();
        previousError = error;
        // Roughly the ratio asked for: raw 160 x 120 x 3 bytes.
        EXPECT_LT ((double) file.size(), 160.0 * 120 * 3 / Jpeg2000Codec::compressionRatio (quality) * 1.2 + 600);
    }
}

TEST (Jpeg2000Codec, EveryThreadCountGivesTheSameFile)
{
    const auto image = texturedPicture (300, 200, true);
    for (const int quality : { 100, 60 })
        EXPECT_EQ (encodeJp2 (image, quality, true, 1), encodeJp2 (image, quality, true, 0)) << quality;
}

TEST (TiffEncoder, WritesStraightAlphaLzwResolutionAndExifDirectories)
{
    sxtest::ExifSpec spec;
    spec.orientation = 1;
    spec.makerNoteBytes = 64;
    auto image = texturedPicture (40, 30, true);
    image.resolutionX = 300;
    image.resolutionY = 150;
    image.exifBlock = sxtest::makeExifBlock (spec);

    for (const bool alpha : { true, false })
    {
        SCOPED_TRACE (alpha ? "rgba" : "rgb");
        juce::MemoryOutputStream out;
        ASSERT_TRUE (TiffEncoder::encode (image, alpha, out));
        const auto data = bytesOf (out);

        TiffFile file (data);
        ASSERT_NE (file.tif, nullptr);
        uint16_t compression = 0, samples = 0, unit = 0, extraCount = 0;
        uint16_t* extra = nullptr;
        float x = 0, y = 0;
        TIFFGetField (file.tif, TIFFTAG_COMPRESSION, &compression);
        TIFFGetField (file.tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetField (file.tif, TIFFTAG_RESOLUTIONUNIT, &unit);
        TIFFGetField (file.tif, TIFFTAG_XRESOLUTION, &x);
        TIFFGetField (file.tif, TIFFTAG_YRESOLUTION, &y);
        EXPECT_EQ (compression, COMPRESSION_LZW);
        EXPECT_EQ (samples, alpha ? 4 : 3);
        EXPECT_EQ (unit, RESUNIT_INCH);
        EXPECT_EQ (x, 300.0f);
        EXPECT_EQ (y, 150.0f);
        if (alpha)
        {
            ASSERT_EQ (TIFFGetField (file.tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra), 1);
            ASSERT_EQ (extraCount, 1);
            EXPECT_EQ (extra[0], EXTRASAMPLE_UNASSALPHA);
        }
        char* make = nullptr;
        ASSERT_EQ (TIFFGetField (file.tif, TIFFTAG_MAKE, &make), 1);
        EXPECT_STREQ (make, "Testmaker");

        toff_t exifOffset = 0;
        ASSERT_EQ (TIFFGetField (file.tif, TIFFTAG_EXIFIFD, &exifOffset), 1);
        ASSERT_EQ (TIFFReadEXIFDirectory (file.tif, exifOffset), 1);
        char* taken = nullptr;
        ASSERT_EQ (TIFFGetField (file.tif, EXIFTAG_DATETIMEORIGINAL, &taken), 1);
        EXPECT_STREQ (taken, "2021:05:06 07:08:09");

        // And the system's own reader gets the pixels back exactly, alpha straight.
        const auto back = PlatformImageDecoder::decode (data.data(), data.size());
        ASSERT_TRUE (back.has_value());
        auto expected = image;
        if (! alpha)
            for (size_t i = 3; i < expected.rgba.size(); i += 4)
                expected.rgba[i] = 255;
        EXPECT_EQ (back->rgba, expected.rgba);
        EXPECT_EQ (sxtest::exifBytes (back->exifBlock, EXIF_IFD_EXIF, EXIF_TAG_MAKER_NOTE), sxtest::makerNoteBytes (64));
    }
}

TEST (PngCodec, WritesTheExifChunkOnceBeforeTheImageData)
{
    auto image = texturedPicture (16, 16, false);
    image.exifBlock = sxtest::makeExifBlock ({});
    juce::MemoryOutputStream out;
    ASSERT_TRUE (PngCodec::encode (image, false, out));
    const auto data = bytesOf (out);

    std::vector<std::string> chunks;
    for (size_t pos = 8; pos + 12 <= data.size();)
    {
        const uint32_t length = (uint32_t) data[pos] << 24 | (uint32_t) data[pos + 1] << 16 | (uint32_t) data[pos + 2] << 8 | data[pos + 3];
        chunks.emplace_back (reinterpret_cast<const char*> (data.data() + pos + 4), 4);
        pos += 12 + length;
    }
    const auto exif = std::find (chunks.begin(), chunks.end(), "eXIf");
    ASSERT_NE (exif, chunks.end());
    EXPECT_EQ (std::count (chunks.begin(), chunks.end(), "eXIf"), 1);
    EXPECT_LT (exif - chunks.begin(), std::find (chunks.begin(), chunks.end(), "IDAT") - chunks.begin());
}
