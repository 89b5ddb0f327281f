#include "WatercolorPaperAndBorder.h"

#include "AppIdentity.h"
#include "ResourceArchive.h"
#include "TestArchive.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    /** Writes a small archive of PNG items into a temporary resource folder; each image
        is width x 1 so the tests can tell the items apart by width. */
    class PaperAndBorder : public ::testing::Test
    {
    protected:
        sxtest::TempFolder folder;
        WatercolorSettings settings;
        WatercolorCaches caches;

        void SetUp() override
        {
            ::setenv ("SX_RESOURCE_DIR", folder.get().getFullPathName().toRawUTF8(), 1);
        }

        void TearDown() override
        {
            ::unsetenv ("SX_RESOURCE_DIR");
            loadResourceArchiveIndex();
        }

        using Group = std::vector<std::pair<juce::String, int>>;   // item name, image width

        void writeArchive (const std::map<juce::String, Group>& groups)
        {
            sxtest::ArchiveGroups archive;
            for (const auto& [group, entries] : groups)
            {
                auto& items = archive[group];
                for (const auto& [name, width] : entries)
                    items.push_back ({ name + ".png", sxtest::pngBytes (width, 1, juce::Colours::grey) });
            }
            ASSERT_TRUE (sxtest::writeResourceArchive (folder.get().getChildFile (AppIdentity::getAppName() + ".bin"), archive));
            loadResourceArchiveIndex();
        }

        static int widthOf (const SxRef<SxImageRgbaBytes>& image) { return image ? image->width : -1; }
    };
}

TEST_F (PaperAndBorder, NamedItemsLoadAndMissingNamesFallBackToTheFirst)
{
    writeArchive ({ { "Tolva_Backgrounds", { { "Quenza-01", 11 }, { "Aged-Paper37", 12 } } },
                    { "Tolva_Borders", { { "0a-none", 21 }, { "border-01", 22 } } } });

    settings.edgeFileName = "Aged-Paper37";
    settings.borderFileName = "border-01";
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_EQ (widthOf (caches.paperImage), 12);
    EXPECT_EQ (widthOf (caches.borderImage), 22);

    // Loaded images are kept until released, whatever the names say now.
    auto* paper = caches.paperImage.get();
    settings.edgeFileName = "Quenza-01";
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_EQ (caches.paperImage.get(), paper);

    caches.releaseAll();
    settings.edgeFileName = "no-such-paper";
    settings.borderFileName = "no-such-border";
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_EQ (widthOf (caches.paperImage), 11);
    EXPECT_EQ (widthOf (caches.borderImage), 21);

    // "0a-none" present in the archive is loaded like any name.
    caches.releaseAll();
    settings.borderFileName = "0a-none";
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_EQ (widthOf (caches.borderImage), 21);
}

TEST_F (PaperAndBorder, EmptyNamesAndNoneLeaveNoImage)
{
    writeArchive ({ { "Tolva_Backgrounds", { { "Quenza-01", 11 } } },
                    { "Tolva_Borders", { { "border-01", 22 }, { "border-02", 23 } } } });

    settings.edgeFileName = {};
    settings.borderFileName = {};
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_FALSE (caches.paperImage);
    EXPECT_FALSE (caches.borderImage);

    // Without "0a-none" in the archive it still means no border, not the first one.
    settings.borderFileName = WatercolorPaperAndBorder::noBorderName;
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_FALSE (caches.borderImage);
}

TEST_F (PaperAndBorder, PaperBackgroundWithoutPaperFallsBackToPlainColour)
{
    loadResourceArchiveIndex();   // the folder holds no archive at all
    settings.backgroundStyleMode = 1;
    settings.edgeFileName = "Quenza-01";
    settings.borderFileName = "border-01";
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_FALSE (caches.paperImage);
    EXPECT_FALSE (caches.borderImage);
    EXPECT_FALSE (WatercolorPaperAndBorder::usesPaper (settings, caches));

    writeArchive ({ { "Tolva_Backgrounds", { { "Quenza-01", 11 } } } });
    loadPaperAndBorderImages (caches, settings, 1.0f);
    EXPECT_TRUE (WatercolorPaperAndBorder::usesPaper (settings, caches));
    settings.backgroundStyleMode = 0;
    EXPECT_FALSE (WatercolorPaperAndBorder::usesPaper (settings, caches));
}
