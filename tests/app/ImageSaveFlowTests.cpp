// Saving the painting after the full-size render: the folder the panel opens in, what is
// remembered, and the hand-over to the background writer, with a runner answering for the
// user.

#include "AppSettings.h"
#include "ExifTestBlocks.h"
#include "ImageSaveFlow.h"
#include "ImageSaveFolder.h"
#include "ImageSaveWriter.h"
#include "MessagePump.h"
#include "PixelMath.h"
#include "PlatformImageDecoder.h"
#include "ScopedPanelAnswer.h"
#include "ScopedUserFolders.h"

#include <gtest/gtest.h>

namespace
{
    using Answer = std::optional<ImageSavePanel::Result>;

    struct ImageSaveFlowTest : ::testing::Test
    {
        ImageSaveFlowTest()
        {
            window.setSize (900, 700);
            photoFolder = folders.home().getChildFile ("Camera");
            saveFolder = folders.home().getChildFile ("Exports");
            photoFolder.createDirectory();
            saveFolder.createDirectory();
            writer.onFinished = [this] (const ImageSaveWriter::Outcome& outcome) { outcomes.push_back (outcome); };
        }

        ImageSaveFlow::Request request (bool useImageLocation = false)
        {
            ImageSaveFlow::Request r;
            r.window = &window;
            r.settings = &settings;
            r.writer = &writer;
            r.useImageLocation = useImageLocation;
            r.imageFile = photoFolder.getChildFile ("photo.NEF");
            r.document.resolutionX = 300.0;
            r.document.resolutionY = 240.0;
            sxtest::ExifSpec spec;
            spec.orientation = 6;
            r.document.exif = sxtest::makeExifBlock (spec);
            r.afterPanel = [this] { ++panelsClosed; };
            return r;
        }

        static SxRef<SxImageRgbaBytes> painting()
        {
            SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (120, 90));
            image->fill (PixelMath::makeWord (0x80, 0x20, 0x40, 0x60));
            return image;
        }

        void saveAndFinish (ImageSaveFlow::Request r)
        {
            ImageSaveFlow::begin (painting(), std::move (r));
            sxgui::drainMessages();
            writer.waitUntilIdle();
            sxgui::drainMessages();
        }

        juce::String lastDirectory() const  { return settings.get (SettingsKeys::lastDirectoryForSave); }

        ScopedUserFolders folders;
        AppSettings settings { folders.config().getChildFile ("test.plist") };
        ImageSaveWriter writer;
        juce::Component window;
        juce::File photoFolder, saveFolder;
        std::vector<ImageSaveWriter::Outcome> outcomes;
        int panelsClosed = 0;
    };
}

TEST (ImageSaveFolder, TheRuleWithAndWithoutUseImageLocation)
{
    ScopedUserFolders folders;
    const auto pictures = folders.home().getChildFile ("Pictures");
    const auto camera = folders.home().getChildFile ("Camera");
    const auto exports = folders.home().getChildFile ("Exports");
    for (const auto& f : { pictures, camera, exports })
        ASSERT_TRUE (f.createDirectory().wasOk());
    ASSERT_TRUE (folders.config().getChildFile ("user-dirs.dirs").replaceWithText ("XDG_PICTURES_DIR=\"$HOME/Pictures\"\n"));

    const auto photo = camera.getChildFile ("photo.NEF");
    const auto gone = folders.home().getChildFile ("Gone");
    struct Case
    {
        const char* what;
        bool useImageLocation;
        juce::File image;
        juce::String last;
        juce::File expected;
    };
    const Case cases[] = {
        { "image location",                   true,  photo, exports.getFullPathName(), camera },
        { "image location, nothing saved",    true,  photo, {},                        camera },
        { "image location, no image",         true,  {},    exports.getFullPathName(), exports },
        { "image location, its folder gone",  true,  gone.getChildFile ("a.jpg"), {},  pictures },
        { "last saved location",              false, photo, exports.getFullPathName(), exports },
        { "last saved location, none yet",    false, photo, {},                        pictures },
        { "last saved location, gone",        false, photo, gone.getFullPathName(),    pictures },
        { "last saved location, not a path",  false, photo, "Exports",                 pictures },
    };
    for (const auto& c : cases)
        EXPECT_EQ (ImageSaveFolder::choose (c.useImageLocation, c.image, c.last), c.expected) << c.what;

    // No pictures folder: the home folder.
    ASSERT_TRUE (pictures.deleteRecursively());
    EXPECT_EQ (ImageSaveFolder::choose (false, photo, {}), folders.home());
}

TEST_F (ImageSaveFlowTest, TheOpenedNameIsOfferedAsJpegAndTheFolderIsRememberedOnlyOnSave)
{
    ScopedPanelAnswer cancel ([] (ImageSavePanel&) { return Answer(); });
    saveAndFinish (request());
    ASSERT_EQ (cancel.offers.size(), 1u);
    EXPECT_EQ (cancel.offers[0].name, "photo.jpg");
    EXPECT_EQ (cancel.offers[0].type, ImageSavePanel::ImageType::jpeg);
    EXPECT_EQ (cancel.offers[0].folder, folders.home());   // nothing remembered, no pictures folder
    EXPECT_EQ (lastDirectory(), "");
    EXPECT_EQ (panelsClosed, 1);
    EXPECT_TRUE (outcomes.empty());
    EXPECT_TRUE (settings.getPropertiesFile().getAllProperties().getAllKeys().isEmpty());
}

TEST_F (ImageSaveFlowTest, SaveRemembersTheFolderAndTheNextPanelOpensThereUnlessTheImageLocationIsUsed)
{
    {
        ScopedPanelAnswer save ([this] (ImageSavePanel& panel) { return panel.resultIn (saveFolder); });
        saveAndFinish (request());
    }
    EXPECT_EQ (lastDirectory(), saveFolder.getFullPathName());
    ASSERT_EQ (outcomes.size(), 1u);
    EXPECT_TRUE (outcomes[0].succeeded());
    EXPECT_TRUE (saveFolder.getChildFile ("photo.jpg").existsAsFile());

    // Cancelling afterwards changes nothing.
    ScopedPanelAnswer cancel ([] (ImageSavePanel&) { return Answer(); });
    saveAndFinish (request (false));
    saveAndFinish (request (true));
    ASSERT_EQ (cancel.offers.size(), 2u);
    EXPECT_EQ (cancel.offers[0].folder, saveFolder);
    EXPECT_EQ (cancel.offers[1].folder, photoFolder);
    EXPECT_EQ (lastDirectory(), saveFolder.getFullPathName());
    EXPECT_EQ (panelsClosed, 3);
}

TEST_F (ImageSaveFlowTest, TheChosenTypeAndQualityAndTheDocumentsDataReachTheFile)
{
    ScopedPanelAnswer save ([this] (ImageSavePanel& panel)
    {
        panel.fileTypeChanged (ImageSavePanel::ImageType::png);
        return panel.resultIn (saveFolder);
    });
    saveAndFinish (request());

    const auto file = saveFolder.getChildFile ("photo.png");
    const auto back = PlatformImageDecoder::decodeFile (file);
    ASSERT_TRUE (back.has_value());
    EXPECT_EQ (back->width, 120);
    EXPECT_EQ (back->height, 90);
    EXPECT_NEAR (back->resolutionX, 300.0, 0.01);
    EXPECT_NEAR (back->resolutionY, 240.0, 0.01);
    EXPECT_EQ (sxtest::exifValue (back->exifBlock, EXIF_IFD_0, EXIF_TAG_ORIENTATION), "1");
    EXPECT_EQ (sxtest::exifValue (back->exifBlock, EXIF_IFD_0, EXIF_TAG_MAKE), "Testmaker");
    EXPECT_EQ (back->rgba[3], 0x80);   // PNG keeps the alpha
}

TEST_F (ImageSaveFlowTest, NoPaintingShowsNoPanel)
{
    ScopedPanelAnswer save ([this] (ImageSavePanel& panel) { return panel.resultIn (saveFolder); });
    ImageSaveFlow::begin ({}, request());
    EXPECT_EQ (panelsClosed, 1);
    ImageSaveFlow::begin (SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes()), request());
    EXPECT_EQ (panelsClosed, 2);
    sxgui::drainMessages();
    EXPECT_TRUE (save.offers.empty());
    EXPECT_TRUE (writer.isIdle());
    EXPECT_EQ (lastDirectory(), "");
}

TEST_F (ImageSaveFlowTest, AWindowGoneBeforeTheAnswerLeavesEverythingAlone)
{
    ScopedPanelAnswer save ([this] (ImageSavePanel& panel) { return panel.resultIn (saveFolder); });
    auto shortLived = std::make_unique<juce::Component>();
    auto r = request();
    r.window = shortLived.get();
    ImageSaveFlow::begin (painting(), std::move (r));
    shortLived.reset();
    sxgui::drainMessages();
    writer.waitUntilIdle();

    EXPECT_EQ (save.offers.size(), 1u);
    EXPECT_EQ (lastDirectory(), "");
    EXPECT_EQ (panelsClosed, 0);
    EXPECT_FALSE (saveFolder.getChildFile ("photo.jpg").exists());
}
