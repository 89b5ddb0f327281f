#include "BinaryBlocks.h"
#include "BrushDabs.h"
#include "PixelMath.h"
#include "PointLists.h"
#include "SxBrush.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxPropertySet.h"
#include "SxStroke.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
    SxPoint pt (float x, float y, float weight = 1.0f) { return SxPoint { x, y, weight }; }

    juce::MemoryBlock blockUnder (const juce::PropertySet& set, const juce::String& key)
    {
        juce::MemoryBlock block;
        EXPECT_TRUE (block.fromBase64Encoding (set.getValue (key)));
        return block;
    }

    using sxtest::blockText;

    // A 5 x 5 stamp of 255 at its centre pixel (2, 2): a hard full-strength disc.
    struct FullBrush : SxBrush
    {
        FullBrush()
        {
            diameter = 5.0f;
            softness = 0.0f;
            strength = 1.0f;
            buildStamp();
        }
    };
}

TEST (PointLists, EmptyListIsAnEightByteBlock)
{
    SxPropertySet set;
    writePointList ({}, set, "line");
    const auto block = blockUnder (set, "line");
    const uint8_t expected[] = { 0x02, 0x01, 0, 0, 0, 0, 0, 0 };
    ASSERT_EQ (block.getSize(), sizeof (expected));
    EXPECT_EQ (std::memcmp (block.getData(), expected, sizeof (expected)), 0);

    std::vector<SxPoint> back { pt (1, 1) };
    readPointList (back, set, "line");
    EXPECT_TRUE (back.empty());
}

TEST (PointLists, BlockKeepsAllSixFloats)
{
    const std::vector<SxPoint> points { { 1.5f, -2.0f, 0.25f, 7.0f, 8.0f, 9.0f }, { 1.0e6f, 3.0f, 1.0f, 0.0f, 0.0f, -1.0f } };
    SxPropertySet set;
    writePointList (points, set, "line");
    EXPECT_EQ (blockUnder (set, "line").getSize(), 8u + 24u * 2u);
    EXPECT_TRUE (set.getValue ("line").startsWith ("56."));

    std::vector<SxPoint> back;
    readPointList (back, set, "line");
    EXPECT_EQ (back, points);
}

TEST (PointLists, OlderFormsStillRead)
{
    struct Case { const char* name; juce::String text; std::vector<SxPoint> expected; };
    std::vector<Case> cases {
        { "legacy pairs", blockText ({ 3 }, { 1, 2, 3, 4, 5, 6 }), { pt (1, 2), pt (3, 4), pt (5, 6) } },
        { "legacy pairs, trailing floats", blockText ({ 1 }, { 1, 2, 99, 99 }), { pt (1, 2) } },
        { "tagged, cut inside a point", blockText ({ 258, 1 }, { 1, 2, 0.5f }), { pt (1, 2, 0.5f) } },
        { "legacy, count past the data", blockText ({ 1000000000 }, { 1, 2, 3 }), { pt (1, 2), pt (3, 0) } },
        { "tagged, count past the data", blockText ({ 258, 0x7fffffff }, {}), {} },
        { "negative count", blockText ({ -5 }, { 1, 2 }), {} },
        { "not base 64", "garbage", {} },
        { "huge announced size", "2000000000.AAAAAA", {} },
    };

    SxPropertySet keyed;
    keyed.setValue ("Count", "2");
    keyed.setValue ("Item=0ValueX", "5");
    keyed.setValue ("Item=0ValueY", "6");
    keyed.setValue ("Item=1ValueX", "7");
    SxPropertySet holder;
    keyed.writeAsRecord (holder, "k");
    cases.push_back ({ "keyed record", holder.getValue ("k"), { pt (5, 6), pt (7, 0) } });

    SxPropertySet hugeCount;
    hugeCount.setValue ("Count", "2000000000");
    hugeCount.setValue ("Item=0ValueX", "1");
    hugeCount.writeAsRecord (holder, "k");
    cases.push_back ({ "keyed record, count past its keys", holder.getValue ("k"), { pt (1, 0), pt (0, 0) } });

    for (const auto& c : cases)
    {
        SxPropertySet set;
        set.setValue ("line", c.text);
        std::vector<SxPoint> points { pt (9, 9) };
        readPointList (points, set, "line");
        EXPECT_EQ (points, c.expected) << c.name;
    }
}

TEST (SxStroke, RecordKeysAndDefaults)
{
    SxStroke stroke ({ pt (1, 2), pt (3, 4, 0.5f) }, PixelMath::makeWord (200, 10, 20, 30), 0.75f);
    EXPECT_EQ (stroke.mDiameter, 10.0f);
    EXPECT_EQ (stroke.mSoftness, 1.0f);
    EXPECT_EQ (stroke.strokeStyle, 0);
    stroke.strokeStyle = 3;

    SxPropertySet set;
    stroke.saveToProperties (set, "Stroke0");
    auto record = SxPropertySet::readRecord (set, "Stroke0");
    ASSERT_TRUE (record);
    EXPECT_EQ (record->getAllProperties().getAllKeys(),
               juce::StringArray ({ "mLine", "mColor.red", "mColor.green", "mColor.blue", "mColor.alpha", "mOpacity", "mDiameter", "mSoftness", "strokeStyle" }));
    EXPECT_EQ (record->getValue ("mColor.red"), "10");
    EXPECT_EQ (record->getValue ("mColor.alpha"), "200");
    EXPECT_EQ (record->getValue ("mOpacity"), "0.75");

    SxStroke back;
    back.loadFromProperties (set, "Stroke0");
    EXPECT_EQ (back.mLine, stroke.mLine);
    EXPECT_EQ (back.mColor, stroke.mColor);
    EXPECT_EQ (back.mOpacity, 0.75f);
    EXPECT_EQ (back.mDiameter, 10.0f);
    EXPECT_EQ (back.strokeStyle, 3);

    // A record without its values reads the defaults, a diameter of 50 among them.
    SxPropertySet bare;
    bare.setValue ("unrelated", "1");
    bare.writeAsRecord (set, "Bare");
    SxStroke fromBare (stroke);
    fromBare.loadFromProperties (set, "Bare");
    EXPECT_TRUE (fromBare.mLine.empty());
    EXPECT_EQ (fromBare.mColor, 0xffffffffu);
    EXPECT_EQ (fromBare.mOpacity, 1.0f);
    EXPECT_EQ (fromBare.mDiameter, 50.0f);
    EXPECT_EQ (fromBare.mSoftness, 1.0f);
    EXPECT_EQ (fromBare.strokeStyle, 0);

    // Missing or not XML: unchanged.
    set.setValue ("NotXml", "12.abcd");
    for (const char* key : { "Missing", "NotXml" })
    {
        SxStroke kept (stroke);
        kept.loadFromProperties (set, key);
        EXPECT_EQ (kept.mLine, stroke.mLine) << key;
        EXPECT_EQ (kept.strokeStyle, 3) << key;
    }
}

TEST (SxStroke, RemapToSize)
{
    SxStroke stroke ({ pt (10, 10), pt (50, 100) }, 0xffffffff, 1.0f);
    stroke.remapToSize (pt (200, 50), pt (100, 100));
    EXPECT_EQ (stroke.mLine[0], pt (20, 5));
    EXPECT_EQ (stroke.mLine[1], pt (100, 50));
    EXPECT_EQ (stroke.mDiameter, 20.0f);

    // A zero old size has no ratio: nothing changes (no inf reaches the saved record).
    for (const auto& oldSize : { pt (0, 100), pt (100, 0) })
    {
        SxStroke s ({ pt (10, 10) }, 0xffffffff, 1.0f);
        s.remapToSize (pt (200, 50), oldSize);
        EXPECT_EQ (s.mLine[0], pt (10, 10));
        EXPECT_EQ (s.mDiameter, 10.0f);
    }
}

TEST (BrushDabs, PaintAndEraseArithmetic)
{
    struct Case { const char* name; bool erase; int strength; float factor; float weight; int before, after; };
    const Case cases[] = {
        { "paint 255 on 0", false, 255, 0, 1, 0, 255 },
        { "paint 255 on 128", false, 255, 0, 1, 128, 255 },
        { "paint 128 on 0", false, 128, 0, 1, 0, 128 },
        { "paint 128 on 128", false, 128, 0, 1, 128, 191 },
        { "paint 255 at weight 0.5", false, 255, 0, 0.5f, 0, 127 },
        { "paint 0", false, 0, 0, 1, 77, 77 },
        { "erase 0.35 on 255", true, 0, 0.35f, 1, 255, 165 },
        { "erase 1 on 200", true, 0, 1.0f, 1, 200, 0 },
        { "erase 0.5 on 128", true, 0, 0.5f, 1, 128, 0 },   // 128 - 127.5 = 0.5: below 1 gives 0
        { "erase -1 (adds)", true, 0, -1.0f, 1, 100, 255 },
    };
    for (const auto& c : cases)
    {
        FullBrush brush;
        SxImageAlphaByte mask (5, 5);
        mask.pixels[2 * 5 + 2] = (uint8_t) c.before;
        const auto centre = pt (2.5f, 2.5f, c.weight);
        if (c.erase)
            stampEraseDab (mask, nullptr, centre, brush, c.factor);
        else
            stampPaintDab (mask, nullptr, centre, c.strength, brush, 1.0f);
        EXPECT_EQ (mask.pixels[2 * 5 + 2], c.after) << c.name;
    }
}

TEST (BrushDabs, ColourDabArithmetic)
{
    struct Case { const char* name; uint32_t colour; uint32_t before; uint32_t after; };
    const Case cases[] = {
        { "opaque red on transparent", PixelMath::makeWord (255, 255, 0, 0), 0, PixelMath::makeWord (255, 255, 0, 0) },
        { "half red on white", PixelMath::makeWord (128, 255, 0, 0), 0xffffffff, PixelMath::makeWord (255, 255, 127, 127) },
        { "transparent colour", PixelMath::makeWord (0, 255, 0, 0), 0xffffffff, 0xffffffff },
        { "half blue on transparent", PixelMath::makeWord (128, 0, 0, 255), 0, PixelMath::makeWord (128, 0, 0, 255) },
    };
    for (const auto& c : cases)
    {
        FullBrush brush;
        SxImageRgbaBytes image (5, 5);
        image.setPixel (c.before, 2, 2);
        stampColorDab (image, nullptr, pt (2.5f, 2.5f), c.colour, brush, 1.0f);
        EXPECT_EQ (image.getPixel (2, 2), c.after) << c.name;
    }
}

TEST (BrushDabs, DabAtTheImageCornerStaysInside)
{
    // A 21-pixel stamp centred on (0, 0) of a 30 x 30 image reaches rows and columns 0..10.
    SxBrush brush;
    brush.diameter = 21.0f;
    brush.softness = 0.0f;
    brush.strength = 1.0f;
    brush.buildStamp();

    SxImageAlphaByte mask (30, 30);
    stampPaintDab (mask, nullptr, pt (0, 0), 255, brush, 1.0f);
    stampEraseDab (mask, nullptr, pt (30, 30), brush, 0.35f);
    SxImageRgbaBytes image (30, 30);
    stampColorDab (image, nullptr, pt (30, 0), 0xffffffff, brush, 1.0f);

    EXPECT_EQ (mask.pixels[0], 255);          // stamp (10, 10), the centre
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (x > 10 || y > 10)
            {
                EXPECT_EQ (mask.pixels[y * 30 + x], 0) << x << "," << y;
            }
    EXPECT_EQ (image.getPixel (29, 0), 0xffffffffu);
    EXPECT_EQ (image.getPixel (18, 0), 0u);
}

TEST (BrushDabs, SelectionLimitsTheDab)
{
    FullBrush brush;
    SxImageAlphaByte selection (5, 5);
    selection.pixels[2 * 5 + 2] = 128;
    SxImageAlphaByte mask (5, 5);
    stampPaintDab (mask, &selection, pt (2.5f, 2.5f), 255, brush, 1.0f);
    EXPECT_EQ (mask.pixels[2 * 5 + 2], 128);

    // A half-width selection is sampled at the ratio of the widths for colour dabs.
    SxImageAlphaByte half (3, 3);
    std::fill (half.pixels, half.pixels + 9, (uint8_t) 255);
    half.pixels[1 * 3 + 1] = 0;
    // Target (2, 2) samples (1.2, 1.2): weights 51/256 each way give 92.
    SxImageRgbaBytes image (5, 5);
    stampColorDab (image, &half, pt (2.5f, 2.5f), 0xffffffff, brush, 1.0f);
    EXPECT_EQ (image.getPixel (2, 2), PixelMath::makeWord (92, 255, 255, 255));
}

TEST (BrushDabs, SmallerSelectionReadsAsZeroOutside)
{
    // A 4 x 4 selection under a 30 x 30 mask: the dab outside it changes nothing.
    SxBrush brush;
    brush.diameter = 21.0f;
    brush.softness = 0.0f;
    brush.strength = 1.0f;
    brush.buildStamp();

    SxImageAlphaByte selection (4, 4);
    std::fill (selection.pixels, selection.pixels + 16, (uint8_t) 255);
    SxImageAlphaByte mask (30, 30);
    stampPaintDab (mask, &selection, pt (15, 15), 255, brush, 1.0f);
    int touched = 0;
    for (int i = 0; i < 900; ++i)
        touched += mask.pixels[i] != 0;
    EXPECT_EQ (touched, 0);

    stampPaintDab (mask, &selection, pt (3, 3), 255, brush, 1.0f);
    EXPECT_EQ (mask.pixels[3 * 30 + 3], 255);
    EXPECT_EQ (mask.pixels[4 * 30 + 3], 0);

    std::fill (mask.pixels, mask.pixels + 900, (uint8_t) 200);
    stampEraseDab (mask, &selection, pt (15, 15), brush, 1.0f);
    EXPECT_EQ (mask.pixels[15 * 30 + 15], 200);

    // Same width, fewer rows: colour dabs read the missing rows as 0 as well.
    SxImageAlphaByte shortSelection (30, 2);
    std::fill (shortSelection.pixels, shortSelection.pixels + 60, (uint8_t) 255);
    SxImageRgbaBytes image (30, 30);
    stampColorDab (image, &shortSelection, pt (15, 15), 0xffffffff, brush, 1.0f);
    EXPECT_EQ (image.getPixel (15, 15), 0u);
}
