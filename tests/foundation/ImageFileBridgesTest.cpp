#include "ImageFileBridges.h"
#include "PixelMath.h"
#include "PlatformImage.h"
#include "PlatformOpenPanel.h"
#include "PlatformUserDefaults.h"
#include "PngCodec.h"
#include "SxImageRgbaBytes.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    /** Points the user defaults at a temporary folder and replaces the open panel. */
    class ImageFileBridgesTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            const char* old = std::getenv ("XDG_CONFIG_HOME");
            oldConfig = old != nullptr ? std::string (old) : std::string();
            hadConfig = old != nullptr;
            setenv ("XDG_CONFIG_HOME", temp.get().getChildFile ("config").getFullPathName().toRawUTF8(), 1);
        }

        void TearDown() override
        {
            PlatformOpenPanel::setRunner ({});
            if (hadConfig)
                setenv ("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
            else
                unsetenv ("XDG_CONFIG_HOME");
        }

        sxtest::TempFolder temp;
        std::string oldConfig;
        bool hadConfig = false;
    };
}

TEST_F (ImageFileBridgesTest, LoadsFilesWithStraightAlpha)
{
    PlatformImage picture;
    picture.allocate (2, 1);
    const uint8_t rgba[] = { 200, 100, 50, 128,   1, 2, 3, 255 };
    std::memcpy (picture.rgba.data(), rgba, 8);
    juce::MemoryOutputStream png;
    ASSERT_TRUE (PngCodec::encode (picture, true, png));
    const auto file = temp.get().getChildFile ("p.png");
    file.replaceWithData (png.getData(), png.getDataSize());

    SxRef<SxImageRgbaBytes> image (ImageFileBridges::loadImageFileAsRgba (file.getFullPathName()));
    ASSERT_NE (image.get(), nullptr);
    EXPECT_EQ (image->getPixel (0, 0), PixelMath::makeWord (128, 200, 100, 50));
    EXPECT_EQ (image->getPixel (1, 0), PixelMath::makeWord (255, 1, 2, 3));
}

TEST_F (ImageFileBridgesTest, UnreadableGivesNothingAndUndecodableAnEmptyBuffer)
{
    EXPECT_EQ (ImageFileBridges::loadImageFileAsRgba (temp.get().getChildFile ("missing.jpg").getFullPathName()), nullptr);
    EXPECT_EQ (ImageFileBridges::loadImageFileAsRgba ({}), nullptr);

    for (const char* name : { "garbage.jpg", "garbage.nef", "garbage.CR2" })
    {
        const auto file = temp.get().getChildFile (name);
        file.replaceWithText ("no picture in here");
        SxRef<SxImageRgbaBytes> image (ImageFileBridges::loadImageFileAsRgba (file.getFullPathName()));
        ASSERT_NE (image.get(), nullptr) << name;
        EXPECT_EQ (image->width, 0);
        EXPECT_EQ (image->pixels, nullptr);
    }
}

TEST_F (ImageFileBridgesTest, ChooserStartsAtTheRememberedFolderAndRemembersTheChoice)
{
    const auto folder = temp.get().getChildFile ("pictures");
    folder.createDirectory();
    const auto chosen = folder.getChildFile ("x.jpg");

    PlatformOpenPanel::Request seen;
    PlatformOpenPanel::setRunner ([&] (const PlatformOpenPanel::Request& r) { seen = r; return chosen; });

    EXPECT_EQ (ImageFileBridges::chooseImageFile(), chosen);
    EXPECT_EQ (seen.startFolder, juce::File::getSpecialLocation (juce::File::userHomeDirectory));
    for (const char* pattern : { "*.nef", "*.NEF", "*.cr2", "*.CR2", "*.jpeg", "*.JPG", "*.png", "*.TIFF", "*.tif", "*.psd" })
        EXPECT_TRUE (juce::StringArray::fromTokens (seen.patterns, ";", {}).contains (pattern)) << pattern;
    EXPECT_EQ (PlatformUserDefaults::getString ("LastDirectory"), folder.getFullPathName());
    EXPECT_TRUE (PlatformUserDefaults::getFile().isAChildOf (temp.get()));

    ImageFileBridges::chooseImageFile();
    EXPECT_EQ (seen.startFolder, folder);
}

TEST_F (ImageFileBridgesTest, CancelReturnsNoPathAndKeepsTheRememberedFolder)
{
    ASSERT_TRUE (PlatformUserDefaults::setString ("LastDirectory", temp.get().getFullPathName()));
    PlatformOpenPanel::setRunner ([] (const PlatformOpenPanel::Request&) { return juce::File(); });

    EXPECT_EQ (ImageFileBridges::chooseImageFile().getFullPathName(), juce::String());
    EXPECT_EQ (PlatformUserDefaults::getString ("LastDirectory"), temp.get().getFullPathName());
}

TEST_F (ImageFileBridgesTest, AFolderRememberedAsAFileUrlIsAccepted)
{
    PlatformUserDefaults::setString ("LastDirectory", juce::URL (temp.get()).toString (false));
    PlatformOpenPanel::Request seen;
    PlatformOpenPanel::setRunner ([&] (const PlatformOpenPanel::Request& r) { seen = r; return juce::File(); });
    ImageFileBridges::chooseImageFile();
    EXPECT_EQ (seen.startFolder, temp.get());
}
