#include "ImageCodecs.h"
#include "RAWJuceImageFormat.h"

#include <gtest/gtest.h>

namespace
{
    using Bytes = std::vector<uint8_t>;

    Bytes writeJra (const juce::Image& image)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (juce::RAWJuceImageFormat().writeImageToStream (image, out));
        auto* p = static_cast<const uint8_t*> (out.getData());
        return Bytes (p, p + out.getDataSize());
    }

    juce::Image readJra (const Bytes& data)
    {
        juce::MemoryInputStream in (data.data(), data.size(), false);
        return juce::RAWJuceImageFormat().decodeImage (in);
    }

    Bytes header (int width, int height, int flag)
    {
        juce::MemoryOutputStream out;
        out.write ("JRA", 3);
        out.writeInt (width);
        out.writeInt (height);
        out.writeInt (flag);
        auto* p = static_cast<const uint8_t*> (out.getData());
        return Bytes (p, p + out.getDataSize());
    }
}

TEST (RAWJuceImageFormat, WritesTheDocumentedLayoutOfA2x1Image)
{
    juce::Image image (juce::Image::ARGB, 2, 1, true, juce::SoftwareImageType());
    {
        juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);
        const uint8_t pixels[] = { 0x30, 0x20, 0x10, 0xff,   0, 0, 0x80, 0x80 };
        std::memcpy (bits.getLinePointer (0), pixels, sizeof (pixels));
    }

    const Bytes expected { 'J', 'R', 'A', 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                           0x30, 0x20, 0x10, 0xff,   0, 0, 0x80, 0x80 };
    EXPECT_EQ (writeJra (image), expected);

    const auto back = readJra (expected);
    ASSERT_TRUE (back.isValid());
    EXPECT_EQ (back.getFormat(), juce::Image::ARGB);
    EXPECT_EQ (back.getPixelAt (0, 0), juce::Colour (0xff102030));
    const juce::Image::BitmapData bits (back, juce::Image::BitmapData::readOnly);
    EXPECT_EQ (Bytes (bits.getLinePointer (0), bits.getLinePointer (0) + 8), Bytes (expected.begin() + 15, expected.end()));

    EXPECT_EQ (writeJra (juce::Image()), header (0, 0, 1));
}

TEST (RAWJuceImageFormat, RgbImagesAreWrittenUnpaddedAndReadBack)
{
    // 3 x 2 RGB: 9 bytes a row, which a padded row (12 bytes) would break.
    juce::Image image (juce::Image::RGB, 3, 2, true, juce::SoftwareImageType());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixelAt (x, y, juce::Colour ((uint8_t) (x * 40), (uint8_t) (y * 90), 7));

    const auto data = writeJra (image);
    ASSERT_EQ (data.size(), (size_t) 15 + 18);
    EXPECT_EQ (Bytes (data.begin(), data.begin() + 15), header (3, 2, 0));

    const auto back = readJra (data);
    ASSERT_TRUE (back.isValid());
    EXPECT_EQ (back.getFormat(), juce::Image::RGB);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ (back.getPixelAt (x, y), image.getPixelAt (x, y)) << x << "," << y;
}

TEST (RAWJuceImageFormat, CanUnderstandOnlyTheFullMagic)
{
    const std::pair<std::string, bool> cases[] = { { "JRA", true }, { "JRAxx", true }, { "JR", false }, { "JRB", false }, { "", false } };
    for (const auto& [text, expected] : cases)
    {
        juce::MemoryInputStream in (text.data(), text.size(), false);
        EXPECT_EQ (juce::RAWJuceImageFormat().canUnderstand (in), expected) << text;
    }
    EXPECT_TRUE (juce::RAWJuceImageFormat().usesFileExtension (juce::File ("/tmp/a.jra")));
    EXPECT_FALSE (juce::RAWJuceImageFormat().usesFileExtension (juce::File ("/tmp/a.png")));
}

TEST (RAWJuceImageFormat, RefusesTruncatedAndHostileHeaders)
{
    auto full = header (2, 2, 1);
    full.resize (full.size() + 16, 0x7f);

    struct Case { const char* name; Bytes data; };
    const Case cases[] = {
        { "magic only", Bytes { 'J', 'R', 'A' } },
        { "header only", header (2, 2, 1) },
        { "cut after one row", Bytes (full.begin(), full.begin() + 15 + 8) },
        { "one byte short", Bytes (full.begin(), full.end() - 1) },
        { "zero width", header (0, 2, 1) },
        { "negative height", header (2, -1, 1) },
        { "overflowing size", header (0x10000, 0x10000, 1) },
        { "huge for a tiny stream", header (30000, 30000, 1) },
        { "unknown alpha flag", [&] { auto d = full; d[11] = 2; return d; }() },
    };
    for (const auto& c : cases)
        EXPECT_FALSE (readJra (c.data).isValid()) << c.name;

    EXPECT_TRUE (readJra (full).isValid());
}

TEST (ImageCodecs, DecodeTriesPngJpegGifThenJra)
{
    juce::Image image (juce::Image::ARGB, 2, 2, true, juce::SoftwareImageType());
    image.clear (image.getBounds(), juce::Colour (0xff336699));

    juce::MemoryOutputStream png, jpeg, jra;
    juce::PNGImageFormat().writeImageToStream (image, png);
    juce::JPEGImageFormat().writeImageToStream (image, jpeg);
    juce::RAWJuceImageFormat().writeImageToStream (image, jra);
    const uint8_t gif[] = { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0x33, 0x66, 0x99, 0, 0, 0,
                            0x2c, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3b };

    for (const auto* block : { &png, &jpeg, &jra })
    {
        const auto decoded = ImageCodecs::decodeImage (block->getData(), block->getDataSize());
        ASSERT_TRUE (decoded.isValid());
        EXPECT_EQ (decoded.getWidth(), 2);
        const auto c = decoded.getPixelAt (1, 1);
        EXPECT_NEAR (c.getRed(), 0x33, 2);
        EXPECT_NEAR (c.getBlue(), 0x99, 2);
    }
    const auto fromGif = ImageCodecs::decodeImage (gif, sizeof (gif));
    ASSERT_TRUE (fromGif.isValid());
    EXPECT_EQ (fromGif.getPixelAt (0, 0), juce::Colour (0xff336699));

    // The stream is left where a format could read it from the start.
    juce::MemoryInputStream in (jra.getData(), jra.getDataSize(), false);
    EXPECT_TRUE (ImageCodecs::decodeImage (in).isValid());

    const char garbage[] = "JRB and nothing else";
    EXPECT_FALSE (ImageCodecs::decodeImage (garbage, sizeof (garbage)).isValid());
    EXPECT_FALSE (ImageCodecs::decodeImage (nullptr, 0).isValid());
}
