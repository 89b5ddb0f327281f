#include "ResourceArchive.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The archive painted by the build (build/resources): the groups and names the effects ask for.

namespace
{
    class ResourcePack : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ::unsetenv ("SX_RESOURCE_DIR");
            loadResourceArchiveIndex();
            if (! ResourceArchive::getArchiveFile().existsAsFile())
                GTEST_SKIP() << "no generated resource archive in this build";
        }
    };
}

TEST_F (ResourcePack, HoldsEveryGroupAndNameTheEffectsAskFor)
{
    const auto papers = getArchiveItemNames ("Tolva_Backgrounds", false);
    ASSERT_FALSE (papers.isEmpty());
    EXPECT_EQ (papers[0], "Quenza-01");
    for (const char* name : { "Aged-Paper13", "Aged-Paper15", "Aged-Paper16", "Aged-Paper21", "Aged-Paper22",
                              "Aged-Paper28", "Aged-Paper31", "Aged-Paper32", "Aged-Paper33", "Aged-Paper35", "Aged-Paper37" })
        EXPECT_TRUE (papers.contains (name)) << name;
    EXPECT_EQ (getArchiveItemNames ("Thumbnail_Tolva_Backgrounds", true), getArchiveItemNames ("Tolva_Backgrounds", true));

    const auto borders = getArchiveItemNames ("Tolva_Borders", false);
    ASSERT_GE (borders.size(), 2);
    EXPECT_EQ (borders[0], "0a-none");
    EXPECT_EQ (borders[1], "border-01");
    EXPECT_EQ (getArchiveItemNames ("Tolva_Thumbnail_Borders", true), getArchiveItemNames ("Tolva_Borders", true));

    EXPECT_EQ (getArchiveItemNames ("Tolva_Brush_Atlas", false), juce::StringArray ("Tolva_Brush_Atlas", "Tolva_Color_Brush_Atlas"));
    EXPECT_TRUE (getArchiveItemNames ("Quenzella_Tolva_General", false).contains ("Fibers"));
}

TEST_F (ResourcePack, EveryImageDecodesAndThumbnailsPairWithTheirImages)
{
    const std::pair<const char*, const char*> pairs[] = { { "Tolva_Backgrounds", "Thumbnail_Tolva_Backgrounds" },
                                                          { "Tolva_Borders", "Tolva_Thumbnail_Borders" } };
    for (const auto& [full, thumbs] : pairs)
    {
        const auto names = getArchiveItemNames (full, true);
        ASSERT_EQ (names.size(), getArchiveItemCount (thumbs));
        for (const auto& name : names)
        {
            SCOPED_TRACE (name);
            const auto image = loadArchiveImage (full, name);
            const auto thumb = loadArchiveImage (thumbs, name);
            ASSERT_TRUE (image.isValid());
            ASSERT_TRUE (thumb.isValid());
            EXPECT_LT (thumb.getWidth(), image.getWidth());
            EXPECT_LE (thumb.getWidth(), 160);
        }
    }
    EXPECT_GE (loadArchiveImage ("Tolva_Backgrounds", "Quenza-01").getWidth(), 2000);
}

TEST_F (ResourcePack, EmptyBorderIsConstantAndPaintedBordersAreNot)
{
    const auto none = loadArchiveGrayImage ("Tolva_Borders", "0a-none");
    ASSERT_TRUE (none);
    const size_t count = (size_t) none->width * (size_t) none->height;
    EXPECT_TRUE (std::all_of (none->pixels, none->pixels + count, [&] (uint8_t v) { return v == none->pixels[0]; }));

    const auto border = loadArchiveGrayImage ("Tolva_Borders", "border-01");
    ASSERT_TRUE (border);
    const auto* row = border->getRowPointer (border->height / 2);
    EXPECT_LT (row[2], 200) << "paint along the edge";
    EXPECT_GT (row[border->width / 2], 240) << "clear middle";
}

TEST_F (ResourcePack, AtlasDescriptionHasFramesInsideTheAtlas)
{
    const auto atlas = loadArchiveRgbaImage ("Tolva_Brush_Atlas", "Tolva_Brush_Atlas");
    ASSERT_TRUE (atlas);

    juce::MemoryBlock text;
    ASSERT_TRUE (readArchiveItemBlock ("Tolva_Brush_Atlas", "Tolva_Color_Brush_Atlas", text));
    const auto xml = SxPropertySet::parseXmlText (text.toString());
    ASSERT_NE (xml, nullptr);
    SxPropertySet description;
    description.restoreFromPlistXml (*xml);

    const int count = description.getIntValue ("count", 0);
    ASSERT_GE (count, 8);
    for (int n = 1; n <= count; ++n)
    {
        const auto key = juce::String (n) + "_";
        SCOPED_TRACE (key);
        EXPECT_TRUE (description.getValue (key + "name", {}).isNotEmpty());
        const int x = description.getIntValue (key + "x", -1), y = description.getIntValue (key + "y", -1);
        const int w = description.getIntValue (key + "width", 0), h = description.getIntValue (key + "height", 0);
        EXPECT_GE (x, 0);
        EXPECT_GE (y, 0);
        EXPECT_GT (w, 16);
        EXPECT_GT (h, 16);
        EXPECT_LE (x + w, atlas->width);
        EXPECT_LE (y + h, atlas->height);
    }
}

TEST_F (ResourcePack, FibresSpreadOnBothSidesOfMidGrey)
{
    const auto fibres = loadArchiveGrayImage ("Quenzella_Tolva_General", "Fibers");
    ASSERT_TRUE (fibres);
    const size_t count = (size_t) fibres->width * (size_t) fibres->height;
    size_t below = 0, above = 0;
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
    {
        sum += fibres->pixels[i];
        below += fibres->pixels[i] < 110;
        above += fibres->pixels[i] > 146;
    }
    EXPECT_NEAR (sum / (double) count, 128.0, 12.0);
    EXPECT_GT (below, count / 200);
    EXPECT_GT (above, count / 200);
}
