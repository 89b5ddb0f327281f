#include "BmpDecoder.h"
#include "GifDecoder.h"
#include "JpegCodec.h"
#include "PlatformImageDecoder.h"
#include "PngCodec.h"
#include "PsdDecoder.h"
#include "TestImages.h"
#include "TiffDecoder.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <functional>

namespace
{
    using Bytes = std::vector<uint8_t>;

    /** 3 x 2 picture with an opaque and a translucent row. */
    PlatformImage makePicture()
    {
        PlatformImage image;
        image.allocate (3, 2);
        const uint8_t pixels[] = { 255, 0, 0, 255,    0, 255, 0, 255,    0, 0, 255, 255,
                                   200, 100, 50, 128, 10, 20, 30, 1,      90, 80, 70, 0 };
        std::memcpy (image.rgba.data(), pixels, sizeof (pixels));
        return image;
    }

    Bytes toBytes (const juce::MemoryOutputStream& out)
    {
        auto* p = static_cast<const uint8_t*> (out.getData());
        return Bytes (p, p + out.getDataSize());
    }

    Bytes encodePng (const PlatformImage& image)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (PngCodec::encode (image, true, out));
        return toBytes (out);
    }

    Bytes encodeJpeg (const PlatformImage& image)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (JpegCodec::encode (image, {}, out));
        return toBytes (out);
    }

    Bytes encodeTiff (const PlatformImage& image, bool withAlpha)
    {
        sxtest::TempFolder temp;
        const auto file = temp.get().getChildFile ("t.tif");
        TIFF* tif = TIFFOpen (file.getFullPathName().toRawUTF8(), "w");
        const uint16_t samples = withAlpha ? 4 : 3;
        TIFFSetField (tif, TIFFTAG_IMAGEWIDTH, (uint32_t) image.width);
        TIFFSetField (tif, TIFFTAG_IMAGELENGTH, (uint32_t) image.height);
        TIFFSetField (tif, TIFFTAG_SAMPLESPERPIXEL, samples);
        TIFFSetField (tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField (tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField (tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField (tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField (tif, TIFFTAG_XRESOLUTION, 300.0f);
        TIFFSetField (tif, TIFFTAG_YRESOLUTION, 150.0f);
        TIFFSetField (tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        if (withAlpha)
        {
            const uint16_t extra[] = { EXTRASAMPLE_UNASSALPHA };
            TIFFSetField (tif, TIFFTAG_EXTRASAMPLES, 1, extra);
        }
        Bytes row ((size_t) image.width * samples);
        for (int y = 0; y < image.height; ++y)
        {
            for (int x = 0; x < image.width; ++x)
                std::memcpy (row.data() + (size_t) x * samples, image.getRow (y) + x * 4, samples);
            TIFFWriteScanline (tif, row.data(), (uint32_t) y, 0);
        }
        TIFFClose (tif);
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        auto* p = static_cast<const uint8_t*> (data.getData());
        return Bytes (p, p + data.getSize());
    }

    void put16le (Bytes& b, int v) { b.push_back ((uint8_t) v); b.push_back ((uint8_t) (v >> 8)); }
    void put32le (Bytes& b, int v) { put16le (b, v & 0xffff); put16le (b, (v >> 16) & 0xffff); }
    void put16be (Bytes& b, int v) { b.push_back ((uint8_t) (v >> 8)); b.push_back ((uint8_t) v); }
    void put32be (Bytes& b, int v) { put16be (b, (v >> 16) & 0xffff); put16be (b, v & 0xffff); }

    /** The opaque top row of makePicture as a 24-bit bottom-up bitmap of 3 x 1, 2835 px/m. */
    Bytes makeBmp24()
    {
        Bytes b { 'B', 'M' };
        put32le (b, 14 + 40 + 12); put32le (b, 0); put32le (b, 14 + 40);
        put32le (b, 40); put32le (b, 3); put32le (b, 1); put16le (b, 1); put16le (b, 24);
        put32le (b, 0); put32le (b, 12); put32le (b, 11811); put32le (b, 11811); put32le (b, 0); put32le (b, 0);
        const uint8_t row[] = { 0, 0, 255,  0, 255, 0,  255, 0, 0,  0, 0, 0 };
        b.insert (b.end(), row, row + sizeof (row));
        return b;
    }

    /** 2 x 2 bottom-up 8-bit palette bitmap: bottom row indices 0 1, top row 1 0. */
    Bytes makeBmp8()
    {
        Bytes b { 'B', 'M' };
        const int dataOffset = 14 + 40 + 2 * 4;
        put32le (b, dataOffset + 8); put32le (b, 0); put32le (b, dataOffset);
        put32le (b, 40); put32le (b, 2); put32le (b, 2); put16le (b, 1); put16le (b, 8);
        put32le (b, 0); put32le (b, 8); put32le (b, 0); put32le (b, 0); put32le (b, 2); put32le (b, 0);
        const uint8_t palette[] = { 30, 20, 10, 0,  3, 2, 1, 0 };
        b.insert (b.end(), palette, palette + sizeof (palette));
        const uint8_t rows[] = { 0, 1, 0, 0,  1, 0, 0, 0 };
        b.insert (b.end(), rows, rows + sizeof (rows));
        return b;
    }

    /** 3 x 2 layered-document file whose merged picture is the colour of makePicture, raw or PackBits. */
    Bytes makePsd (bool packBits, bool gray = false)
    {
        const auto picture = makePicture();
        const int channels = gray ? 1 : 3;
        Bytes b { '8', 'B', 'P', 'S' };
        put16be (b, 1); b.insert (b.end(), 6, 0);
        put16be (b, channels + 1); put32be (b, 2); put32be (b, 3); put16be (b, 8); put16be (b, gray ? 1 : 3);
        put32be (b, 0);
        // Resolution resource: 300 dpi horizontally, 150 vertically.
        Bytes resource { '8', 'B', 'I', 'M' };
        put16be (resource, 0x03ed); put16be (resource, 0);
        put32be (resource, 16);
        put32be (resource, 300 << 16); put16be (resource, 1); put16be (resource, 1);
        put32be (resource, 150 << 16); put16be (resource, 1); put16be (resource, 1);
        put32be (b, (int) resource.size());
        b.insert (b.end(), resource.begin(), resource.end());
        put32be (b, 0);
        put16be (b, packBits ? 1 : 0);

        std::vector<Bytes> rows;
        for (int c = 0; c < channels + 1; ++c)
            for (int y = 0; y < 2; ++y)
            {
                Bytes plain;
                for (int x = 0; x < 3; ++x)
                    plain.push_back (c == channels ? 255 : picture.getRow (y)[x * 4 + c]);
                if (packBits)
                {
                    // One literal run of two bytes, then a repeat of the third.
                    rows.push_back ({ 1, plain[0], plain[1], (uint8_t) 0xff, plain[2] });
                    rows.back()[3] = 0; // a literal of one byte for the third
                }
                else
                {
                    rows.push_back (plain);
                }
            }
        if (packBits)
            for (auto& row : rows)
                put16be (b, (int) row.size());
        for (auto& row : rows)
            b.insert (b.end(), row.begin(), row.end());
        return b;
    }

    /** 2 x 1 GIF: a red pixel and a transparent one. */
    Bytes makeGif()
    {
        const uint8_t gif[] = { 'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,
                                255, 0, 0,  0, 0, 255,
                                0x21, 0xf9, 4, 1, 0, 0, 1, 0,
                                0x2c, 0, 0, 0, 0, 2, 0, 1, 0, 0,
                                2, 2, 0x44, 0x0a, 0,
                                0x3b };
        return Bytes (gif, gif + sizeof (gif));
    }

    void expectPixels (const PlatformImage& image, const PlatformImage& expected, int tolerance, bool compareAlpha = true)
    {
        ASSERT_EQ (image.width, expected.width);
        ASSERT_EQ (image.height, expected.height);
        for (size_t i = 0; i < image.rgba.size(); ++i)
        {
            if (! compareAlpha && i % 4 == 3)
                continue;
            EXPECT_NEAR (image.rgba[i], expected.rgba[i], tolerance) << "byte " << i;
        }
    }

    PlatformImage opaqueRows (const PlatformImage& picture)
    {
        auto copy = picture;
        for (size_t i = 3; i < copy.rgba.size(); i += 4)
            copy.rgba[i] = 255;
        return copy;
    }
}

TEST (PlatformImageDecoder, DecodesEveryFormatToTheExpectedPixels)
{
    const auto picture = makePicture();
    auto topRow = picture;
    topRow.height = 1;
    topRow.rgba.resize (12);

    struct Case { const char* name; Bytes data; PlatformImage expected; int tolerance; double resX, resY; };
    const Case cases[] = {
        { "png", encodePng (picture), picture, 0, 72, 72 },
        { "tiff rgba", encodeTiff (picture, true), picture, 0, 300, 150 },
        { "tiff rgb", encodeTiff (picture, false), opaqueRows (picture), 0, 300, 150 },
        { "bmp 24", makeBmp24(), topRow, 0, 11811 * 0.0254, 11811 * 0.0254 },
        { "psd raw", makePsd (false), opaqueRows (picture), 0, 300, 150 },
        { "psd packbits", makePsd (true), opaqueRows (picture), 0, 300, 150 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto image = PlatformImageDecoder::decode (c.data.data(), c.data.size());
        ASSERT_TRUE (image.has_value());
        expectPixels (*image, c.expected, c.tolerance);
        EXPECT_NEAR (image->resolutionX, c.resX, 0.05);
        EXPECT_NEAR (image->resolutionY, c.resY, 0.05);
    }
}

TEST (PlatformImageDecoder, DecodesJpegGifPaletteBitmapAndGrayDocument)
{
    PlatformImage flat;
    flat.allocate (16, 16);
    for (size_t i = 0; i < flat.rgba.size(); i += 4)
    {
        flat.rgba[i] = 200; flat.rgba[i + 1] = 60; flat.rgba[i + 2] = 30; flat.rgba[i + 3] = 255;
    }
    const auto jpeg = encodeJpeg (flat);
    const auto fromJpeg = PlatformImageDecoder::decode (jpeg.data(), jpeg.size());
    ASSERT_TRUE (fromJpeg.has_value());
    expectPixels (*fromJpeg, flat, 3);

    const auto gif = makeGif();
    const auto fromGif = PlatformImageDecoder::decode (gif.data(), gif.size());
    ASSERT_TRUE (fromGif.has_value());
    ASSERT_EQ (fromGif->width, 2);
    ASSERT_EQ (fromGif->height, 1);
    EXPECT_EQ (Bytes (fromGif->rgba.begin(), fromGif->rgba.end()), (Bytes { 255, 0, 0, 255, 0, 0, 0, 0 }));

    const auto bmp = makeBmp8();
    const auto fromBmp = PlatformImageDecoder::decode (bmp.data(), bmp.size());
    ASSERT_TRUE (fromBmp.has_value());
    EXPECT_EQ (Bytes (fromBmp->rgba.begin(), fromBmp->rgba.end()), (Bytes { 1, 2, 3, 255, 10, 20, 30, 255, 10, 20, 30, 255, 1, 2, 3, 255 }));

    const auto psd = makePsd (true, true);
    const auto fromPsd = PlatformImageDecoder::decode (psd.data(), psd.size());
    ASSERT_TRUE (fromPsd.has_value());
    const auto picture = makePicture();
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ (fromPsd->rgba[(size_t) i * 4], picture.rgba[(size_t) i * 4]);
        EXPECT_EQ (fromPsd->rgba[(size_t) i * 4 + 1], picture.rgba[(size_t) i * 4]);
        EXPECT_EQ (fromPsd->rgba[(size_t) i * 4 + 3], 255);
    }
}

TEST (PlatformImageDecoder, TruncatedAndHostileDataGiveNoImage)
{
    const auto picture = makePicture();
    const std::pair<const char*, Bytes> sources[] = {
        { "png", encodePng (picture) }, { "jpeg", encodeJpeg (picture) }, { "gif", makeGif() },
        { "tiff", encodeTiff (picture, true) }, { "bmp", makeBmp24() }, { "psd", makePsd (true) },
    };

    for (const auto& [name, data] : sources)
    {
        // Cut at the signature, inside the header, and just before the end.
        for (size_t length : { (size_t) 0, (size_t) 2, (size_t) 12, data.size() / 2, data.size() - 3 })
        {
            SCOPED_TRACE (std::string (name) + " cut at " + std::to_string (length));
            const bool trailerOnly = std::string (name) == "gif" || std::string (name) == "png";
            if (trailerOnly && length == data.size() - 3)
                continue; // the pixel data is complete there; only the end marker is cut
            EXPECT_FALSE (PlatformImageDecoder::decode (data.data(), length).has_value());
        }

        // Every byte of the first 64 flipped in turn: any outcome but a crash is fine.
        for (size_t i = 0; i < std::min<size_t> (64, data.size()); ++i)
        {
            auto hostile = data;
            hostile[i] ^= 0xff;
            const auto image = PlatformImageDecoder::decode (hostile.data(), hostile.size());
            if (image.has_value())
            {
                EXPECT_TRUE (image->isValid());
            }
        }
    }

    const uint8_t garbage[] = "this is not an image at all";
    EXPECT_FALSE (PlatformImageDecoder::decode (garbage, sizeof (garbage)).has_value());
}

TEST (PlatformImageDecoder, HeadersAskingForHugeImagesAreRefusedBeforeAllocating)
{
    auto bmp = makeBmp24();
    bmp[18] = 0xff; bmp[19] = 0xff; bmp[20] = 0; // width 65535
    bmp[22] = 0xff; bmp[23] = 0xff; bmp[24] = 0;  // height 65535
    EXPECT_FALSE (BmpDecoder::decode (bmp.data(), bmp.size()).has_value());

    auto psd = makePsd (false);
    psd[14] = 0x7f; // height 2^30 + 2
    EXPECT_FALSE (PsdDecoder::decode (psd.data(), psd.size()).has_value());

    auto gif = makeGif();
    gif[32] = 0xff; gif[33] = 0xff; gif[34] = 0xff; gif[35] = 0xff;
    EXPECT_FALSE (GifDecoder::decode (gif.data(), gif.size()).has_value());
}

TEST (PlatformImageDecoder, FilesTakeTheRawPathByExtensionInAnyCase)
{
    sxtest::TempFolder temp;
    const auto png = encodePng (makePicture());

    struct Case { const char* name; bool decodes; };
    const Case cases[] = { { "a.png", true }, { "b.nef", false }, { "c.NEF", false }, { "d.CR2", false }, { "e.cr2", false } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto file = temp.get().getChildFile (c.name);
        file.replaceWithData (png.data(), png.size());
        const auto image = PlatformImageDecoder::decodeFile (file);
        // A PNG named as a raw file goes to the raw developer, which refuses it.
        ASSERT_TRUE (image.has_value());
        EXPECT_EQ (image->isValid(), c.decodes);
    }

    const auto garbage = temp.get().getChildFile ("g.nef");
    garbage.replaceWithText ("not a camera file");
    ASSERT_TRUE (PlatformImageDecoder::decodeFile (garbage).has_value());
    EXPECT_FALSE (PlatformImageDecoder::decodeFile (garbage)->isValid());

    EXPECT_FALSE (PlatformImageDecoder::decodeFile (temp.get().getChildFile ("missing.png")).has_value());
    EXPECT_FALSE (PlatformImageDecoder::decodeFile (temp.get().getChildFile ("missing.nef")).has_value());
}

TEST (JpegCodec, KeepsDensityAndExifThroughATrip)
{
    PlatformImage image;
    image.allocate (8, 8);
    JpegCodec::WriteSettings settings;
    settings.densityX = 300;
    settings.densityY = 150;
    const char exif[] = "Exif\0\0MM\0*\0\0\0\x08\0\0";
    settings.markers.push_back ({ 225, juce::MemoryBlock (exif, sizeof (exif) - 1) });
    settings.markers.push_back ({ 226, juce::MemoryBlock (JpegCodec::maxMarkerData + 1, true) }); // cannot fit: skipped
    settings.markers.push_back ({ 0xc0, juce::MemoryBlock ("x", 1) });                             // not an application marker: skipped

    juce::MemoryOutputStream out;
    ASSERT_TRUE (JpegCodec::encode (image, settings, out));
    const auto back = JpegCodec::decode (out.getData(), out.getDataSize());
    ASSERT_TRUE (back.has_value());
    EXPECT_EQ (back->resolutionX, 300.0);
    EXPECT_EQ (back->resolutionY, 150.0);
    EXPECT_EQ (back->exifBlock, juce::MemoryBlock (exif, sizeof (exif) - 1));

    // A frame header asking for 65535 x 65535 pixels is refused before any allocation.
    auto data = toBytes (out);
    for (size_t i = 2; i + 9 < data.size(); ++i)
        if (data[i] == 0xff && data[i + 1] == 0xc0)
        {
            data[i + 5] = data[i + 6] = data[i + 7] = data[i + 8] = 0xff;
            break;
        }
    EXPECT_FALSE (JpegCodec::decode (data.data(), data.size()).has_value());
}

TEST (PlatformImageDecoder, ReadsThirtyTwoBitBitmapsAndGrayTiff)
{
    // 2 x 1 top-down 32-bit bitmap, with and without alpha bytes.
    const auto bmp32 = [] (uint8_t alpha0, uint8_t alpha1)
    {
        Bytes b { 'B', 'M' };
        put32le (b, 14 + 40 + 8); put32le (b, 0); put32le (b, 54);
        put32le (b, 40); put32le (b, 2); put32le (b, -1); put16le (b, 1); put16le (b, 32);
        put32le (b, 0); put32le (b, 8); put32le (b, 0); put32le (b, 0); put32le (b, 0); put32le (b, 0);
        const uint8_t row[] = { 30, 20, 10, alpha0,  3, 2, 1, alpha1 };
        b.insert (b.end(), row, row + sizeof (row));
        return b;
    };
    const auto translucent = bmp32 (128, 255);
    auto image = BmpDecoder::decode (translucent.data(), translucent.size());
    ASSERT_TRUE (image.has_value());
    EXPECT_EQ (Bytes (image->rgba.begin(), image->rgba.end()), (Bytes { 10, 20, 30, 128, 1, 2, 3, 255 }));

    const auto unused = bmp32 (0, 0);
    image = BmpDecoder::decode (unused.data(), unused.size());
    ASSERT_TRUE (image.has_value());
    EXPECT_EQ (Bytes (image->rgba.begin(), image->rgba.end()), (Bytes { 10, 20, 30, 255, 1, 2, 3, 255 })) << "all-zero alpha bytes are unused bytes";

    sxtest::TempFolder temp;
    const auto file = temp.get().getChildFile ("gray.tif");
    TIFF* tif = TIFFOpen (file.getFullPathName().toRawUTF8(), "w");
    TIFFSetField (tif, TIFFTAG_IMAGEWIDTH, 2u);
    TIFFSetField (tif, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField (tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField (tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField (tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    uint8_t row[] = { 40, 220 };
    TIFFWriteScanline (tif, row, 0, 0);
    TIFFClose (tif);
    juce::MemoryBlock data;
    file.loadFileAsData (data);
    const auto gray = TiffDecoder::decode (data.getData(), data.getSize());
    ASSERT_TRUE (gray.has_value());
    EXPECT_EQ (Bytes (gray->rgba.begin(), gray->rgba.end()), (Bytes { 40, 40, 40, 255, 220, 220, 220, 255 }));
}
