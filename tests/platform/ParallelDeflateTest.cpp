#include "ExifTestBlocks.h"
#include "ParallelDeflate.h"
#include "PngCodec.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace
{
    using Bytes = std::vector<uint8_t>;

    enum class Content { noise, gradient, flat };

    /** A picture large enough for several strips: random bytes (incompressible), a smooth
        gradient with grain (what filters are for) or one flat colour (long matches that
        reach back across strip borders). Alpha varies unless the picture is written as RGB. */
    PlatformImage makePicture (int width, int height, Content content)
    {
        PlatformImage image;
        image.allocate (width, height);
        std::mt19937 random (7);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image.getRow (y);
            for (int x = 0; x < width; ++x, p += 4)
                for (int c = 0; c < 4; ++c)
                    p[c] = content == Content::noise ? (uint8_t) random()
                         : content == Content::flat ? (uint8_t) (40 + 50 * c)
                         : (uint8_t) ((x * (c + 1) + y * (3 - c) + (int) (random() % 5)) & 255);
        }
        return image;
    }

    Bytes encode (const PlatformImage& image, bool withAlpha, int threads)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (PngCodec::encode (image, withAlpha, out, threads));
        auto* p = static_cast<const uint8_t*> (out.getData());
        return Bytes (p, p + out.getDataSize());
    }

    /** The picture as a PNG reader gives it back: RGB pictures come back opaque. */
    PlatformImage::Bytes expectedPixels (const PlatformImage& image, bool withAlpha)
    {
        auto pixels = image.rgba;
        if (! withAlpha)
            for (size_t i = 3; i < pixels.size(); i += 4)
                pixels[i] = 255;
        return pixels;
    }
}

TEST (ParallelDeflate, LargePngsWrittenOnAllCoresDecodeBitExactly)
{
    struct Case { const char* name; int width, height; bool alpha; Content content; };
    const Case cases[] = {
        { "noise RGBA",        1031, 1100, true,  Content::noise },
        { "gradient RGBA",     1500, 900,  true,  Content::gradient },
        { "gradient RGB, odd", 1777, 1013, false, Content::gradient },
        { "flat RGBA",         1200, 1200, true,  Content::flat },
        { "rows as wide as a side can be", 65535, 20, true, Content::gradient },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto picture = makePicture (c.width, c.height, c.content);
        ASSERT_TRUE (ParallelDeflate::isWorthwhile ((size_t) c.width * (c.alpha ? 4 : 3), c.height));

        const auto file = encode (picture, c.alpha, 0);
        const auto decoded = PngCodec::decode (file.data(), file.size());
        ASSERT_TRUE (decoded.has_value());
        EXPECT_EQ (decoded->width, c.width);
        EXPECT_EQ (decoded->height, c.height);
        EXPECT_TRUE (decoded->rgba == expectedPixels (picture, c.alpha));
        EXPECT_NEAR (decoded->resolutionX, 72.0, 0.05) << "pHYs still written";
    }
}

TEST (ParallelDeflate, BytesDoNotDependOnTheNumberOfThreads)
{
    const auto picture = makePicture (1300, 1000, Content::gradient);
    const auto all = encode (picture, true, 0);
    for (int threads : { 2, 3, 8 })
        EXPECT_TRUE (encode (picture, true, threads) == all) << threads << " threads";

    // The image data alone, on one thread, is the same stream too.
    std::vector<const uint8_t*> rows;
    for (int y = 0; y < picture.height; ++y)
        rows.push_back (picture.getRow (y));
    const auto one = ParallelDeflate::compressPngRows (rows.data(), picture.height, (size_t) picture.width * 4, 4, 6, 1);
    const auto many = ParallelDeflate::compressPngRows (rows.data(), picture.height, (size_t) picture.width * 4, 4, 6, 0);
    EXPECT_FALSE (one.empty());
    EXPECT_TRUE (one == many);
}

TEST (ParallelDeflate, TheStreamIsOneZlibStreamOfTheFilteredRows)
{
    const int width = 900, height = 1500;
    const auto picture = makePicture (width, height, Content::gradient);
    std::vector<const uint8_t*> rows;
    for (int y = 0; y < height; ++y)
        rows.push_back (picture.getRow (y));
    const auto stream = ParallelDeflate::compressPngRows (rows.data(), height, (size_t) width * 4, 4);

    // zlib checks the header, the joins and the combined Adler-32 as it inflates.
    const size_t lineBytes = (size_t) width * 4 + 1;
    Bytes filtered (lineBytes * height + 1);
    uLongf size = (uLongf) filtered.size();
    ASSERT_EQ (uncompress (filtered.data(), &size, stream.data(), (uLong) stream.size()), Z_OK);
    ASSERT_EQ ((size_t) size, lineBytes * height);

    // Each line starts with a filter type of the five; the filters are undone by the reader
    // test above, so here only the framing is checked.
    for (int y = 0; y < height; ++y)
        EXPECT_LE (filtered[(size_t) y * lineBytes], 4) << "row " << y;
}

TEST (ParallelDeflate, SmallImagesAndOneThreadStayWithLibpng)
{
    // Small pictures (thumbnails, contact sheets) keep the bytes they always had.
    const auto small = makePicture (300, 200, Content::gradient);
    EXPECT_FALSE (ParallelDeflate::isWorthwhile (300 * 4, 200));
    EXPECT_TRUE (encode (small, true, 0) == encode (small, true, 1));

    // A large picture is compressed about as well either way: the strips are primed with
    // the data before them, so matches reach across their borders.
    const auto large = makePicture (1500, 1000, Content::gradient);
    const double parallel = (double) encode (large, true, 0).size();
    const double libpng = (double) encode (large, true, 1).size();
    EXPECT_LT (parallel, libpng * 1.05);
}

TEST (ParallelDeflate, NothingIsMadeOfNoRows)
{
    EXPECT_TRUE (ParallelDeflate::compressPngRows (nullptr, 10, 40, 4).empty());
    const uint8_t row[8] = {};
    const uint8_t* rows[] = { row };
    EXPECT_TRUE (ParallelDeflate::compressPngRows (rows, 0, 8, 4).empty());
    EXPECT_TRUE (ParallelDeflate::compressPngRows (rows, 1, 0, 4).empty());
}

TEST (ParallelDeflate, LargePngsKeepTheirResolutionAndCameraDataBeforeTheImageData)
{
    auto picture = makePicture (1400, 1000, Content::gradient);
    picture.resolutionX = 300;
    picture.resolutionY = 150;
    picture.exifBlock = sxtest::makeExifBlock ({});
    const auto file = encode (picture, true, 0);

    std::vector<std::string> chunks;
    for (size_t pos = 8; pos + 12 <= file.size();)
    {
        const uint32_t length = (uint32_t) file[pos] << 24 | (uint32_t) file[pos + 1] << 16 | (uint32_t) file[pos + 2] << 8 | file[pos + 3];
        chunks.emplace_back (reinterpret_cast<const char*> (file.data() + pos + 4), 4);
        pos += 12 + length;
    }
    ASSERT_FALSE (chunks.empty());
    EXPECT_EQ (chunks.front(), "IHDR");
    EXPECT_EQ (chunks.back(), "IEND");
    const auto exif = std::find (chunks.begin(), chunks.end(), "eXIf");
    ASSERT_NE (exif, chunks.end());
    EXPECT_EQ (std::count (chunks.begin(), chunks.end(), "eXIf"), 1);
    EXPECT_LT (exif - chunks.begin(), std::find (chunks.begin(), chunks.end(), "IDAT") - chunks.begin());

    const auto decoded = PngCodec::decode (file.data(), file.size());
    ASSERT_TRUE (decoded.has_value());
    EXPECT_TRUE (decoded->rgba == picture.rgba);
    EXPECT_NEAR (decoded->resolutionX, 300.0, 1.0e-6);
    EXPECT_NEAR (decoded->resolutionY, 150.0, 1.0e-6);
    EXPECT_EQ (decoded->exifBlock, picture.exifBlock);
}
