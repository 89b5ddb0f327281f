// The project thumbnail: the shorter side scaled to 400, the longer side cut equally at both
// ends, transparent parts grey.

#include "JpegCodec.h"
#include "ProjectThumbnail.h"

#include <gtest/gtest.h>

namespace
{
    /** Opaque; red rises with x from 0 to 255, green with y. */
    SxImageRgbaBytes gradient (int width, int height)
    {
        SxImageRgbaBytes image (width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                auto* p = image.getRowPointer (y) + x * 4;
                p[0] = 255;
                p[1] = (uint8_t) (x * 255 / (width - 1));
                p[2] = (uint8_t) (y * 255 / (height - 1));
                p[3] = 0;
            }
        return image;
    }

    int channel (const SxImageRgbaBytes& image, int x, int y, int byte)
    {
        return image.getRowPointer (y)[x * 4 + byte];
    }
}

TEST (ProjectThumbnail, ALandscapeFillsTheHeightAndLosesEqualEnds)
{
    // The 1301 x 975 preview of a 4000 x 3000 photograph: scaled to about 534 x 400, about
    // 67 pixels cut on the left and on the right.
    const auto painting = gradient (1301, 975);
    const auto thumbnail = ProjectThumbnail::make (painting);
    ASSERT_EQ (thumbnail->width, 400);
    ASSERT_EQ (thumbnail->height, 400);

    const double scaledWidth = 400.0 * 1301.0 / 975.0;
    const double cut = (scaledWidth - 400.0) / 2.0;
    EXPECT_NEAR (scaledWidth, 534.0, 0.5);
    EXPECT_NEAR (cut, 67.0, 0.5);

    // Column x shows the painting's column (x + cut) / scaledWidth of the way across.
    for (const int x : { 0, 100, 200, 399 })
    {
        const double expectedRed = (x + cut + 0.5) / scaledWidth * 255.0;
        EXPECT_NEAR (channel (*thumbnail, x, 200, 1), expectedRed, 3.0) << x;
    }
    // Every row of the painting is there, top to bottom.
    EXPECT_LE (channel (*thumbnail, 200, 0, 2), 2);
    EXPECT_GE (channel (*thumbnail, 200, 399, 2), 252);
    EXPECT_EQ (channel (*thumbnail, 0, 0, 0), 255);
}

TEST (ProjectThumbnail, APortraitFillsTheWidthAndLosesEqualEnds)
{
    const auto thumbnail = ProjectThumbnail::make (gradient (975, 1301));
    const double scaledHeight = 400.0 * 1301.0 / 975.0, cut = (scaledHeight - 400.0) / 2.0;
    for (const int y : { 0, 200, 399 })
        EXPECT_NEAR (channel (*thumbnail, 200, y, 2), (y + cut + 0.5) / scaledHeight * 255.0, 3.0) << y;
    EXPECT_LE (channel (*thumbnail, 0, 200, 1), 2);
    EXPECT_GE (channel (*thumbnail, 399, 200, 1), 252);
}

TEST (ProjectThumbnail, TransparentPartsShowGrey127)
{
    // Left half transparent, right half opaque blue.
    SxImageRgbaBytes painting (800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 400; x < 800; ++x)
            painting.setPixel (0xff0000ffu, x, y);

    const auto thumbnail = ProjectThumbnail::make (painting);
    const struct { int x; uint32_t word; } cases[] = {
        { 10, 0x7f7f7fffu }, { 150, 0x7f7f7fffu }, { 250, 0xff0000ffu }, { 390, 0xff0000ffu },
    };
    for (const auto& c : cases)
        EXPECT_EQ (thumbnail->getPixel (c.x, 200), c.word) << c.x;

    // Nothing painted at all: plain grey.
    const auto empty = ProjectThumbnail::make (SxImageRgbaBytes());
    EXPECT_EQ (empty->getPixel (0, 0), 0x7f7f7fffu);
    EXPECT_EQ (empty->getPixel (399, 399), 0x7f7f7fffu);
}

TEST (ProjectThumbnail, TheJpegIs400Square)
{
    const auto jpeg = ProjectThumbnail::makeJpeg (gradient (300, 100));
    const auto decoded = JpegCodec::decode (jpeg.getData(), jpeg.getSize());
    ASSERT_TRUE (decoded.has_value());
    EXPECT_EQ (decoded->width, 400);
    EXPECT_EQ (decoded->height, 400);
}
