#include <gtest/gtest.h>

#include "PropertyValues.h"
#include "SpriteFrameDescription.h"
#include "SpriteSheet.h"
#include "SpriteSheetList.h"
#include "SxPropertySet.h"

#include <cmath>

namespace
{
    struct FrameEntry { const char* name; double x, y, width, height; };

    /** A frame description as the resource generator writes it; a count given as text
        replaces the written one. */
    juce::String describe (const std::vector<FrameEntry>& entries, const juce::String& count = {})
    {
        std::vector<SpriteFrameDescription::Entry> written;
        for (const auto& e : entries)
            written.push_back ({ e.name, e.x, e.y, e.width, e.height });
        const auto text = SpriteFrameDescription::write (written);
        if (count.isEmpty())
            return text;

        SxPropertySet set;
        set.restoreFromPlistXml (*SxPropertySet::parseXmlText (text));
        setStringProperty (set, "count", count);
        return set.createPlistXml()->toString();
    }

    /** A new image whose every pixel holds the bytes A, R, G, B = 10, 20, 30, 40. */
    SxImageRgbaBytes* makeImage (int width, int height)
    {
        auto* image = new SxImageRgbaBytes (width, height);
        for (int i = 0; i < width * height; ++i)
        {
            image->pixels[i * 4 + 0] = 10;
            image->pixels[i * 4 + 1] = 20;
            image->pixels[i * 4 + 2] = 30;
            image->pixels[i * 4 + 3] = 40;
        }
        return image;
    }

    std::array<uint8_t, 4> firstPixel (const SxImageRgbaBytes& image)
    {
        return { image.pixels[0], image.pixels[1], image.pixels[2], image.pixels[3] };
    }

    SxPoint box (float width, float height)
    {
        SxPoint p;
        p.x = width;
        p.y = height;
        return p;
    }

    void expectFrame (const SpriteFrame& frame, float left, float top, float right, float bottom)
    {
        EXPECT_FLOAT_EQ (frame.left, left);
        EXPECT_FLOAT_EQ (frame.top, top);
        EXPECT_FLOAT_EQ (frame.right, right);
        EXPECT_FLOAT_EQ (frame.bottom, bottom);
    }
}

TEST (SpriteSheet, FramesAreReadScaledAndNumberedFromOne)
{
    const auto description = describe ({ { "wash", 10, 20, 30, 40 }, { "splash", 100, 0, 64, 32 } });

    struct Case { float scale; float frame0[4]; float frame1[4]; };
    const Case cases[] = {
        { 1.0f, { 10, 20, 39, 59 }, { 100, 0, 163, 31 } },
        { 0.5f, { 5, 10, 19, 29 },  { 50, 0, 81, 15 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.scale);
        SpriteSheet sheet;
        sheet.loadFrames (makeImage (256, 128), description, c.scale);

        ASSERT_EQ (sheet.getNumFrames(), 2);
        EXPECT_EQ (sheet.getFrames()[0].name, "wash");
        EXPECT_EQ (sheet.getFrames()[1].name, "splash");
        expectFrame (sheet.getFrames()[0], c.frame0[0], c.frame0[1], c.frame0[2], c.frame0[3]);
        expectFrame (sheet.getFrames()[1], c.frame1[0], c.frame1[1], c.frame1[2], c.frame1[3]);
    }
}

TEST (SpriteSheet, ReadsTheWrittenPropertyListText)
{
    // The description as a file holds it, not as this program's writer would format it.
    const juce::String text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n<dict>\n"
        "\t<key>count</key>\n\t<string>2</string>\n"
        "\t<key>2_name</key>\n\t<string>second</string>\n"
        "\t<key>1_name</key>\n\t<string>first</string>\n"
        "\t<key>1_x</key>\n\t<string>0</string>\n"
        "\t<key>1_y</key>\n\t<string>4</string>\n"
        "\t<key>1_width</key>\n\t<string>16</string>\n"
        "\t<key>1_height</key>\n\t<string>8</string>\n"
        "\t<key>2_x</key>\n\t<string>16.5</string>\n"
        "\t<key>2_width</key>\n\t<string>12</string>\n"
        "\t<key>2_height</key>\n\t<string>12</string>\n"
        "</dict>\n</plist>\n";

    SpriteSheet sheet;
    sheet.loadFrames (makeImage (32, 32), text, 1.0f);

    ASSERT_EQ (sheet.getNumFrames(), 2);
    EXPECT_EQ (sheet.getFrames()[0].name, "first");
    expectFrame (sheet.getFrames()[0], 0, 4, 15, 11);
    EXPECT_EQ (sheet.getFrames()[1].name, "second");
    expectFrame (sheet.getFrames()[1], 16.5f, 0, 27.5f, 11);   // a missing y reads as 0
}

TEST (SpriteSheet, CountDecidesHowManyFramesAreRead)
{
    const std::vector<FrameEntry> three { { "a", 0, 0, 8, 8 }, { "b", 8, 0, 8, 8 }, { "c", 16, 0, 8, 8 } };

    struct Case { const char* count; int frames; };
    const Case cases[] = {
        { "3", 3 }, { "2", 2 }, { "2.9", 2 }, { "0", 0 }, { "-1", 0 }, { "none", 0 },
        { "7", 3 },                  // numbers beyond the entries are empty frames, left out
        { "1e12", 3 },               // an absurd count costs nothing
    };

    for (const auto& c : cases)
    {
        SpriteSheet sheet;
        sheet.loadFrames (makeImage (24, 8), describe (three, c.count), 1.0f);
        EXPECT_EQ (sheet.getNumFrames(), c.frames) << "count " << c.count;
    }

    // No "count" at all.
    SxPropertySet set;
    setStringProperty (set, "1_width", "8");
    setStringProperty (set, "1_height", "8");
    SpriteSheet sheet;
    sheet.loadFrames (makeImage (8, 8), set.createPlistXml()->toString(), 1.0f);
    EXPECT_EQ (sheet.getNumFrames(), 0);
}

TEST (SpriteSheet, FramesUnderOnePixelAreLeftOut)
{
    const auto description = describe ({
        { "flat", 0, 0, 10, 0 },
        { "good1", 0, 0, 10, 20 },
        { "thin", 0, 0, 0, 10 },
        { "halfpixel", 0, 0, 1, 10 },   // 0.5 pixels at scale 0.5
        { "negative", 0, 0, -4, 10 },
        { "good2", 4, 4, 20, 10 },
    });

    SpriteSheet sheet;
    sheet.loadFrames (makeImage (64, 64), description, 0.5f);

    ASSERT_EQ (sheet.getNumFrames(), 2);
    EXPECT_EQ (sheet.getFrames()[0].name, "good1");
    EXPECT_EQ (sheet.getFrames()[1].name, "good2");

    for (int i = 0; i < sheet.getNumFrames(); ++i)
    {
        const auto fitted = sheet.fitFrameSize (i, box (80, 80));
        EXPECT_TRUE (std::isfinite (fitted.x) && std::isfinite (fitted.y)) << i;
        EXPECT_GT (fitted.x, 0.0f);
    }

    EXPECT_FLOAT_EQ (sheet.getMinFittedSide (box (80, 80)), 40.0f);
}

TEST (SpriteSheet, FittingKeepsTheFrameAspectInsideTheBox)
{
    struct Case { float width, height, boxWidth, boxHeight, fittedWidth, fittedHeight; };
    const Case cases[] = {
        { 100, 50,    80, 80,    80, 40 },    // wide: takes the box width
        { 50, 100,    80, 80,    40, 80 },    // tall: takes the box height
        { 64, 64,     80, 80,    80, 80 },
        { 64, 64,     80, 20,    80, 80 },    // square counts as wide, whatever the box
        { 100.9f, 50, 80, 80,    80, 40 },    // sizes are whole pixels first
        { 30, 60,     100, 40,   20, 40 },
    };

    for (const auto& c : cases)
    {
        SpriteSheet sheet;
        sheet.addFrame ({ "f", 0.0f, 0.0f, c.width - 1.0f, c.height - 1.0f }, 0);

        const auto fitted = sheet.fitFrameSize (0, box (c.boxWidth, c.boxHeight));
        EXPECT_FLOAT_EQ (fitted.x, c.fittedWidth) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ (fitted.y, c.fittedHeight) << c.width << "x" << c.height;
        EXPECT_EQ (fitted.weight, 1.0f);
    }

    SpriteSheet empty;
    EXPECT_EQ (empty.getMinFittedSide (box (80, 80)), 50000.0f);
    EXPECT_EQ (empty.fitFrameSize (0, box (80, 80)).x, 0.0f);

    SpriteSheet mixed;
    mixed.addFrame ({ "wide", 0, 0, 99, 49 }, 0);
    mixed.addFrame ({ "tall", 0, 0, 39, 99 }, 1);
    mixed.addFrame ({ "flat", 0, 0, 9, -1 }, 2);   // added by hand, not loaded: passed over
    EXPECT_FLOAT_EQ (mixed.getMinFittedSide (box (100, 100)), 40.0f);
    EXPECT_EQ (mixed.fitFrameSize (2, box (100, 100)).x, 0.0f);
}

TEST (SpriteSheet, TextureCoordinatesRunClockwiseFromTheTopLeft)
{
    SpriteSheet sheet;
    sheet.loadFrames (makeImage (200, 100), describe ({ { "f", 20, 10, 100, 50 } }), 1.0f);

    float uv[8];
    sheet.getFrameTexCoords (0, uv);
    const float expected[8] = { 0.1f, 0.1f,  0.595f, 0.1f,  0.595f, 0.59f,  0.1f, 0.59f };
    for (int i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ (uv[i], expected[i]) << i;

    sheet.getFrameTexCoords (1, uv);
    for (float v : uv)
        EXPECT_EQ (v, 0.0f);
}

TEST (SpriteSheet, BorrowedImageIsHandedBackInArgbOrder)
{
    SxRef<SxImageRgbaBytes> image (makeImage (4, 4));

    {
        SpriteSheet sheet;
        sheet.setOwnsImage (false);
        sheet.loadFrames (image.get(), describe ({ { "f", 0, 0, 4, 4 } }), 1.0f);

        // Held for upload: R, G, B, A.
        EXPECT_EQ (firstPixel (*image), (std::array<uint8_t, 4> { 20, 30, 40, 10 }));

        // Loading the same image again must not convert it twice.
        sheet.loadFrames (image.get(), describe ({ { "f", 0, 0, 2, 2 } }), 1.0f);
        EXPECT_EQ (firstPixel (*image), (std::array<uint8_t, 4> { 20, 30, 40, 10 }));
    }

    EXPECT_EQ (firstPixel (*image), (std::array<uint8_t, 4> { 10, 20, 30, 40 }));
    EXPECT_EQ (image->getReferenceCount(), 1);
}

TEST (SpriteSheet, OwnedImagesAreReleasedWhenReplacedOrDestroyed)
{
    SxRef<SxImageRgbaBytes> first (makeImage (4, 4)), second (makeImage (4, 4));
    first->retain();    // the reference the sheet adopts
    second->retain();

    {
        SpriteSheet sheet;
        sheet.loadFrames (first.get(), "not a description", 1.0f);
        EXPECT_EQ (sheet.getNumFrames(), 0);
        EXPECT_EQ (firstPixel (*first), (std::array<uint8_t, 4> { 20, 30, 40, 10 }));   // kept and converted
        EXPECT_EQ (first->getReferenceCount(), 2);

        sheet.setImage (second.get(), true);
        EXPECT_EQ (first->getReferenceCount(), 1);
        EXPECT_EQ (firstPixel (*second), (std::array<uint8_t, 4> { 20, 30, 40, 10 }));
    }

    EXPECT_EQ (second->getReferenceCount(), 1);
}

TEST (SpriteSheetList, EqualiseSizesScalesImagesAndFrames)
{
    SpriteSheet wide, tall, bare;
    wide.loadFrames (makeImage (512, 256), describe ({ { "w", 10, 20, 100, 50 } }), 1.0f);
    tall.loadFrames (makeImage (256, 512), describe ({ { "t", 10, 20, 100, 50 } }), 1.0f);
    bare.loadFrames (makeImage (64, 64), "", 1.0f);

    SpriteSheetList list;
    list.push_back (&wide);
    list.push_back (&tall);
    list.push_back (&bare);
    EXPECT_FALSE (list.areSizesEqualised());

    list.equaliseSizes();
    EXPECT_TRUE (list.areSizesEqualised());

    for (auto* sheet : list)
    {
        EXPECT_EQ (sheet->getImage()->width, 512);
        EXPECT_EQ (sheet->getImage()->height, 512);
        // A uniform image stays uniform under the bilinear resize (still R, G, B, A).
        EXPECT_EQ (firstPixel (*sheet->getImage()), (std::array<uint8_t, 4> { 20, 30, 40, 10 }));
    }

    expectFrame (wide.getFrames()[0], 10, 40, 109, 138);   // rows doubled
    expectFrame (tall.getFrames()[0], 20, 20, 218, 69);    // columns doubled

    // The list does not own its sheets; copies share them.
    SpriteSheetList copy (list);
    EXPECT_EQ (copy.size(), 3u);
    EXPECT_EQ (copy[0], &wide);
    EXPECT_TRUE (copy.areSizesEqualised());
}
