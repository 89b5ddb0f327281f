#include "SxJPEGImageFormat.h"
#include "SxPNGImageFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>
#include <png.h>

namespace
{
    juce::Image testImage()
    {
        juce::Image image (juce::Image::ARGB, 16, 8, true, juce::SoftwareImageType());
        image.clear ({ 0, 0, 8, 8 }, juce::Colour (200, 40, 20));
        image.clear ({ 8, 0, 8, 8 }, juce::Colour (20, 40, 200));
        return image;
    }

    juce::MemoryBlock writeJpeg (const juce::Image& image, SxJPEGImageFormat& format)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (format.writeImageToStream (image, out));
        return out.getMemoryBlock();
    }

    /** What libjpeg reads back from a written file. */
    struct JpegFacts
    {
        int densityUnit = -1, densityX = -1, densityY = -1;
        std::array<uint16_t, 64> luminanceTable {};
        std::vector<std::pair<int, std::string>> markers;
        int width = 0;
    };

    struct JumpingError
    {
        jpeg_error_mgr manager;
        jmp_buf jump;
    };

    JpegFacts readJpeg (const juce::MemoryBlock& data)
    {
        JpegFacts facts;
        jpeg_decompress_struct info {};
        JumpingError error;
        info.err = jpeg_std_error (&error.manager);
        error.manager.error_exit = [] (j_common_ptr c) { std::longjmp (reinterpret_cast<JumpingError*> (c->err)->jump, 1); };
        if (setjmp (error.jump))
        {
            jpeg_destroy_decompress (&info);
            ADD_FAILURE() << "libjpeg refused the written file";
            return facts;
        }
        jpeg_create_decompress (&info);
        jpeg_mem_src (&info, static_cast<const unsigned char*> (data.getData()), (unsigned long) data.getSize());
        for (int m = 0; m < 16; ++m)
            jpeg_save_markers (&info, JPEG_APP0 + m, 0xffff);
        jpeg_save_markers (&info, JPEG_COM, 0xffff);
        jpeg_read_header (&info, TRUE);

        facts.densityUnit = info.density_unit;
        facts.densityX = info.X_density;
        facts.densityY = info.Y_density;
        facts.width = (int) info.image_width;
        if (info.quant_tbl_ptrs[0] != nullptr)
            std::copy (std::begin (info.quant_tbl_ptrs[0]->quantval), std::end (info.quant_tbl_ptrs[0]->quantval), facts.luminanceTable.begin());
        for (auto* m = info.marker_list; m != nullptr; m = m->next)
            facts.markers.emplace_back (m->marker, std::string (reinterpret_cast<const char*> (m->data), m->data_length));
        jpeg_destroy_decompress (&info);
        return facts;
    }

    /** The luminance table libjpeg makes for a quality, baseline forced. */
    std::array<uint16_t, 64> libjpegTable (int quality)
    {
        jpeg_compress_struct info {};
        jpeg_error_mgr error;
        info.err = jpeg_std_error (&error);
        jpeg_create_compress (&info);
        info.in_color_space = JCS_RGB;
        info.input_components = 3;
        jpeg_set_defaults (&info);
        jpeg_set_quality (&info, quality, TRUE);
        std::array<uint16_t, 64> table {};
        std::copy (std::begin (info.quant_tbl_ptrs[0]->quantval), std::end (info.quant_tbl_ptrs[0]->quantval), table.begin());
        jpeg_destroy_compress (&info);
        return table;
    }

    juce::String base64 (const void* data, size_t size)
    {
        return juce::MemoryBlock (data, size).toBase64Encoding();
    }

    /** pHYs of a written PNG: x, y pixels per unit and the unit; all -1 without the chunk. */
    std::array<long long, 3> readPhys (const juce::MemoryBlock& data)
    {
        std::array<long long, 3> result { -1, -1, -1 };
        png_image header {};
        header.version = PNG_IMAGE_VERSION;
        EXPECT_NE (png_image_begin_read_from_memory (&header, data.getData(), data.getSize()), 0);
        png_image_free (&header);

        png_structp png = png_create_read_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct (png);
        juce::MemoryInputStream in (data, false);
        png_set_read_fn (png, &in, [] (png_structp p, png_bytep out, png_size_t n) {
            static_cast<juce::MemoryInputStream*> (png_get_io_ptr (p))->read (out, (int) n);
        });
        if (setjmp (png_jmpbuf (png)) == 0)
        {
            png_read_info (png, info);
            png_uint_32 x = 0, y = 0;
            int unit = 0;
            if (png_get_pHYs (png, info, &x, &y, &unit) != 0)
                result = { (long long) x, (long long) y, unit };
        }
        png_destroy_read_struct (&png, &info, nullptr);
        return result;
    }
}

TEST (SxJPEGImageFormat, RecordsTheResolutionAsJfifDensity)
{
    struct Case { const char* name; juce::var resX, resY; int expectedX, expectedY; };
    const Case cases[] = {
        { "no properties", {}, {}, 72, 72 },
        { "300 x 150", 300, 150, 300, 150 },
        { "fractions truncate", 299.9, 72.5, 299, 72 },
        { "beyond the 16-bit field", 70000, 65536, 65535, 65535 },
        { "not positive", 0, -5, 1, 1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto image = testImage();
        if (! c.resX.isVoid())
        {
            image.getProperties()->set ("resX", c.resX);
            image.getProperties()->set ("resY", c.resY);
        }
        SxJPEGImageFormat format;
        const auto facts = readJpeg (writeJpeg (image, format));
        EXPECT_EQ (facts.densityUnit, 1);
        EXPECT_EQ (facts.densityX, c.expectedX);
        EXPECT_EQ (facts.densityY, c.expectedY);
        EXPECT_EQ (facts.width, 16);
    }
}

TEST (SxJPEGImageFormat, MapsQualityToLibjpegWithClamps)
{
    struct Case { float quality; int expected; };
    const Case cases[] = { { -1.0f, 85 }, { 0.85f, 85 }, { 0.004f, 1 }, { 0.0f, 1 }, { 1.5f, 100 }, { 1.0f, 100 },
                           { 0.425f, 42 }, { 0.435f, 44 }, { 0.5f, 50 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.quality);
        SxJPEGImageFormat format (c.quality);
        const auto facts = readJpeg (writeJpeg (testImage(), format));
        EXPECT_EQ (facts.luminanceTable, libjpegTable (c.expected));
        if (c.quality < 0)
        {
            EXPECT_FLOAT_EQ (format.getQuality(), 0.85f) << "the default sticks to the format";
        }
    }
    EXPECT_EQ (SxJPEGImageFormat::libjpegQuality (0.425f), 42) << "halves go to even";
}

TEST (SxJPEGImageFormat, CopiesExactlyTheMarkersKept)
{
    auto image = testImage();
    auto& props = *image.getProperties();
    const char jfif[] = "JFIF\0\1\2more";
    const char adobe[] = "Adobe\0\1";
    const juce::MemoryBlock oversize (70000, true);

    props.set ("markerCount", 6);
    props.set ("Marker0", 225);
    props.set ("MarkerData0", base64 ("abc", 3));
    props.set ("Marker1", 224);
    props.set ("MarkerData1", base64 (jfif, sizeof (jfif) - 1));
    props.set ("Marker2", 224);
    props.set ("MarkerData2", base64 (adobe, sizeof (adobe) - 1));
    props.set ("Marker3", 226);
    props.set ("MarkerData3", oversize.toBase64Encoding());
    props.set ("Marker4", 224);
    props.set ("MarkerData4", base64 ("JFIF", 4)); // four bytes: not a header, kept
    props.set ("Marker5", 254);
    props.set ("MarkerData5", base64 ("note", 4));

    SxJPEGImageFormat format;
    const auto facts = readJpeg (writeJpeg (image, format));
    std::vector<std::pair<int, std::string>> expected {
        { 224, std::string ("JFIF\0\1\1\1\0\x48\0\x48\0\0", 14) },
        { 225, "abc" },
        { 224, "JFIF" },
        { 254, "note" },
    };
    ASSERT_EQ (facts.markers.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ (facts.markers[i].first, expected[i].first) << i;
        if (i > 0)
        {
            EXPECT_EQ (facts.markers[i].second, expected[i].second) << i;
        }
    }
}

TEST (SxJPEGImageFormat, AStoredJfifHeaderGivesWayToLibjpegs)
{
    auto image = testImage();
    auto& props = *image.getProperties();
    const char jfif[] = "JFIF\0and more";
    props.set ("markerCount", 2);
    props.set ("Marker0", 225);
    props.set ("MarkerData0", base64 ("abc", 3));
    props.set ("Marker1", 224);
    props.set ("MarkerData1", base64 (jfif, sizeof (jfif) - 1));

    SxJPEGImageFormat format;
    const auto facts = readJpeg (writeJpeg (image, format));
    ASSERT_EQ (facts.markers.size(), 2u);
    EXPECT_EQ (facts.markers[0].first, 224);
    EXPECT_EQ (facts.markers[1], std::make_pair (225, std::string ("abc")));

    juce::MemoryOutputStream out;
    EXPECT_FALSE (format.writeImageToStream (juce::Image(), out));
    EXPECT_EQ (out.getDataSize(), 0u);
}

TEST (SxPNGImageFormat, RecordsTheResolutionInPixelsPerMetre)
{
    struct Case { const char* name; juce::var resX, resY; long long x, y; };
    const Case cases[] = {
        { "no properties", {}, {}, 2834, 2834 },
        { "300 dpi across", 300, 72, 11811, 2834 },
        { "300 x 150", 300.0, 150.0, 11811, 5905 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto image = testImage();
        if (! c.resX.isVoid())
        {
            image.getProperties()->set ("resX", c.resX);
            image.getProperties()->set ("resY", c.resY);
        }
        juce::MemoryOutputStream out;
        ASSERT_TRUE (SxPNGImageFormat().writeImageToStream (image, out));
        EXPECT_EQ (readPhys (out.getMemoryBlock()), (std::array<long long, 3> { c.x, c.y, PNG_RESOLUTION_METER }));
    }
}

TEST (SxPNGImageFormat, WritesAlphaOnlyForImagesThatHaveIt)
{
    juce::Image rgb (juce::Image::RGB, 2, 2, true, juce::SoftwareImageType());
    rgb.clear (rgb.getBounds(), juce::Colour (1, 2, 3));
    juce::Image argb (juce::Image::ARGB, 2, 2, true, juce::SoftwareImageType());
    argb.setPixelAt (0, 0, juce::Colour ((uint8_t) 250, 100, 50, (uint8_t) 128));

    for (const auto& image : { rgb, argb })
    {
        juce::MemoryOutputStream out;
        ASSERT_TRUE (SxPNGImageFormat().writeImageToStream (image, out));
        png_image header {};
        header.version = PNG_IMAGE_VERSION;
        ASSERT_NE (png_image_begin_read_from_memory (&header, out.getData(), out.getDataSize()), 0);
        EXPECT_EQ ((header.format & PNG_FORMAT_FLAG_ALPHA) != 0, image.hasAlphaChannel());
        png_image_free (&header);

        juce::MemoryInputStream in (out.getData(), out.getDataSize(), false);
        const auto back = SxPNGImageFormat().decodeImage (in);
        ASSERT_TRUE (back.isValid());
        const auto a = back.getPixelAt (0, 0), b = image.getPixelAt (0, 0);
        EXPECT_EQ (a.getAlpha(), b.getAlpha());
        EXPECT_NEAR (a.getRed(), b.getRed(), 2);
        EXPECT_NEAR (a.getBlue(), b.getBlue(), 2);
    }
}
