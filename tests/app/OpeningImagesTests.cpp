#include "ImageFileBridges.h"
#include "ImageRefusal.h"
#include "InProcessProduct.h"
#include "OpenImageRules.h"
#include "PeerInput.h"
#include "PlatformOpenPanel.h"
#include "Quenzella_TolvaAppComponent.h"
#include "RenderFlowTestSupport.h"
#include "ScopedUserFolders.h"
#include "SxAlertComponent.h"
#include "SxAlertPaintComponent.h"
#include "ZorvMainWindow.h"

#include <gtest/gtest.h>

#include <unistd.h>

using rendertest::finishRenders;

namespace
{
    const juce::File samplePhoto (SX_SAMPLE_PHOTO);

    /** The product's main component, writing down what it would tell the user about files
        that did not open (or sliding in the real alert when asked to). */
    struct RecordingProduct : public Quenzella_TolvaAppComponent
    {
        void showImageNotOpened (const juce::String& title, const juce::String& message) override
        {
            notOpened.add (title + ": " + message);
            if (showsRealAlert)
                Quenzella_TolvaAppComponent::showImageNotOpened (title, message);
        }

        juce::StringArray notOpened;
        bool showsRealAlert = false;
    };

    using ProductApplication = InProcessProduct<RecordingProduct>;

    class OpeningImages : public ::testing::Test
    {
    protected:
        void start (const juce::StringArray& launchFiles = {})
        {
            ASSERT_TRUE (samplePhoto.existsAsFile()) << samplePhoto.getFullPathName();
            app = std::make_unique<ProductApplication>();
            app->launchFiles = launchFiles;
            app->initialise ({});
            sxgui::drainMessages();   // first show, launch files
            input = std::make_unique<sxgui::PeerInput> (window());
        }

        void TearDown() override
        {
            PlatformOpenPanel::setRunner ({});
            input.reset();
            if (app != nullptr)
            {
                finishRenders (main());
                app->shutdown();
                app.reset();
            }
            sxgui::drainMessages();
        }

        RecordingProduct& main()   { return *app->component; }
        ZorvMainWindow& window()   { return *app->getMainWindow(); }
        GenericAppDocument& canvas()  { return *main().getDocument(); }

        juce::Component* child (const juce::String& name)
        {
            for (auto* c : main().getChildren())
                if (c->getName() == name)
                    return c;
            return nullptr;
        }

        /** The document is the sample photograph, painted by the Abstract effect. */
        void expectSamplePainted()
        {
            auto* effect = main().getLayerManager()->getFirstEffectLayer();
            ASSERT_NE (effect, nullptr);
            EXPECT_EQ (effect->getShortName(), "Abstract");

            auto* working = main().getWorkingImage();
            auto* shown = canvas().getImage();
            ASSERT_NE (working, nullptr);
            ASSERT_NE (shown, nullptr);
            EXPECT_EQ (working->width, 1301);
            EXPECT_EQ (working->height, 975);
            EXPECT_EQ (shown, effect->getOutputImage());
            EXPECT_NE (shown, working);
            ASSERT_EQ (shown->width, working->width);
            ASSERT_EQ (shown->height, working->height);

            // A painting, not the photograph: most pixels differ clearly.
            int differing = 0, samples = 0;
            for (int y = 0; y < shown->height; y += 7)
                for (int x = 0; x < shown->width; x += 7, ++samples)
                {
                    const auto a = shown->getPixel (x, y), b = working->getPixel (x, y);
                    for (int shift = 8; shift < 32; shift += 8)
                        if (std::abs ((int) ((a >> shift) & 0xff) - (int) ((b >> shift) & 0xff)) > 24)
                        {
                            ++differing;
                            break;
                        }
                }
            EXPECT_GT (differing, samples / 4);

            EXPECT_TRUE (main().areControlsEnabled());
            for (auto* name : { "savePhotoButton", "undoButton", "originalButton", "getPhotoButton" })
                EXPECT_TRUE (child (name) != nullptr && child (name)->isEnabled()) << name;
            EXPECT_EQ (window().getName(), "sample-photo.jpg");
            EXPECT_EQ (main().getCurrentImageFile(), samplePhoto);
            EXPECT_EQ (main().getSettings()->get (SettingsKeys::imagePath), samplePhoto.getFullPathName());
            EXPECT_TRUE (main().getSettings()->get (SettingsKeys::freshProject));
            EXPECT_EQ (main().getSettings()->get (SettingsKeys::needsToLoadImagePath), juce::String());
            EXPECT_TRUE (SxImageRgbaBytes::getSwapFile ("origBeforeEdit.tmp").existsAsFile());
            EXPECT_TRUE (main().notOpened.isEmpty()) << main().notOpened.joinIntoString ("\n");
        }

        ScopedUserFolders folders;
        std::unique_ptr<ProductApplication> app;
        std::unique_ptr<sxgui::PeerInput> input;
    };
}

//==============================================================================
TEST (WorkingImageSize, FitsTheLongerSideTo1301)
{
    struct Case { int w, h, expectedW, expectedH; };
    const Case cases[] = {
        { 4000, 3000, 1301, 975 },
        { 3000, 4000, 975, 1301 },
        { 640, 480, 1301, 975 },      // enlarged
        { 1300, 1300, 1301, 1301 },
        { 1600, 1200, 1301, 975 },
        { 1, 500, 1, 500 },           // one column: kept
        { 500, 1, 500, 1 },
        { 2, 2000000, 1, 1301 },      // 1300 x side overflows an int
        { 2000000, 3, 1301, 1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (OpenImageRules::workingImageSize (c.w, c.h), juce::Point<int> (c.expectedW, c.expectedH))
            << c.w << " x " << c.h;
}

TEST (DraggedFiles, AreAcceptedByTheirEndingInAnyCaseExceptInAPluginHost)
{
    ScopedUserFolders folders;
    RecordingProduct main;
    main.startUp();

    struct Case { juce::StringArray files; bool accepted; };
    const Case cases[] = {
        { { "/p/scan.bmp" }, true },
        { { "/p/notes.txt" }, false },
        { { "/p/notes.txt", "/p/scan.bmp" }, true },
        { { "/p/PHOTO.JPG" }, true },
        { { "/p/photo.Tiff" }, true },
        { { "/p/raw.cr2" }, true },
        { { "/p/Painting.KVP" }, true },
        { { "/p/nameendinginjpg" }, true },   // the ending counts, not a separate extension
        { { "/p/photo.dng" }, false },
        { {}, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ (main.isInterestedInFileDrag (c.files), c.accepted) << c.files.joinIntoString (", ");

    struct PhotosHost : public RecordingProduct { void enterPhotos() { hostKind = photosHost; } };
    PhotosHost photos;
    photos.startUp();
    photos.enterPhotos();
    EXPECT_FALSE (photos.isInterestedInFileDrag ({ "/p/scan.bmp" }));
}

//==============================================================================
TEST_F (OpeningImages, TheOpenButtonRunsTheChooserAndOpensTheChosenPhotograph)
{
    start();
    juce::Array<PlatformOpenPanel::Request> requests;
    PlatformOpenPanel::setRunner ([&] (const PlatformOpenPanel::Request& r) { requests.add (r); return samplePhoto; });

    auto* open = dynamic_cast<juce::Button*> (child ("getPhotoButton"));
    ASSERT_NE (open, nullptr);
    input->click (*open);
    EXPECT_TRUE (requests.isEmpty());   // the chooser waits until the click has been handled
    sxgui::drainMessages();
    ASSERT_EQ (requests.size(), 1);
    EXPECT_TRUE (requests[0].patterns.contains ("*.jpg"));

    finishRenders (main());
    expectSamplePainted();
    EXPECT_FALSE (main().isTimerRunning (GenericAppComponent::fitAfterOpenTimer));
}

TEST_F (OpeningImages, ACancelledChooserChangesNothing)
{
    start();
    main().getSettings()->set (SettingsKeys::imagePath, "/earlier/photo.jpg");
    PlatformOpenPanel::setRunner ([] (const PlatformOpenPanel::Request&) { return juce::File(); });

    main().chooseAndOpenImage();
    sxgui::drainMessages();

    EXPECT_EQ (main().getSettings()->get (SettingsKeys::imagePath), "/earlier/photo.jpg");
    EXPECT_EQ (main().getWorkingImage(), nullptr);
    EXPECT_EQ (main().getRenderThread(), nullptr);
    EXPECT_TRUE (main().notOpened.isEmpty());
}

TEST_F (OpeningImages, APhotographDroppedOnTheWindowOpens)
{
    start();
    EXPECT_TRUE (input->dropFiles (canvas(), { samplePhoto.getFullPathName() }));
    finishRenders (main());
    expectSamplePainted();
}

TEST_F (OpeningImages, APhotographNamedOnTheCommandLineOpensAndIsFittedLater)
{
    start ({ samplePhoto.getFullPathName() });

    // Checked while the first render runs: the fit is due 1500 ms after the open.
    EXPECT_EQ (main().getTimerInterval (GenericAppComponent::fitAfterOpenTimer), 1500);
    canvas().setZoom (false, 2.0f);
    EXPECT_TRUE (sxgui::fireTimer (main(), GenericAppComponent::fitAfterOpenTimer));
    EXPECT_LT (canvas().getZoom(), 1.0f);

    finishRenders (main());
    expectSamplePainted();
}

TEST_F (OpeningImages, APhotographHandedOverByASecondLaunchOpens)
{
    start();
    app->filesFromAnotherLaunch ({ samplePhoto.getFullPathName() });
    finishRenders (main());
    expectSamplePainted();
}

TEST_F (OpeningImages, AFileThatDoesNotOpenKeepsTheDocumentAndSaysWhy)
{
    start();
    main().openImage (samplePhoto, false);
    finishRenders (main());
    ASSERT_TRUE (main().notOpened.isEmpty());

    auto* source = main().getOriginalImage();
    auto* working = main().getWorkingImage();
    auto* shown = canvas().getImage();
    const auto title = window().getName();

    const auto dir = folders.getRoot();
    const auto write = [&] (const char* name, const juce::MemoryBlock& bytes)
    {
        const auto file = dir.getChildFile (name);
        file.create();
        if (! bytes.isEmpty())   // replaceWithData deletes the file when given nothing
            file.replaceWithData (bytes.getData(), bytes.getSize());
        return file;
    };
    juce::MemoryBlock sample;
    ASSERT_TRUE (samplePhoto.loadFileAsData (sample));
    juce::MemoryBlock half (sample.getData(), sample.getSize() / 2);
    juce::MemoryBlock psd (64, true);
    const uint8_t cmykHeader[] = { '8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 8, 0, 0, 0, 8, 0, 8, 0, 4 };
    psd.copyFrom (cmykHeader, 0, sizeof (cmykHeader));
    const juce::String text ("just some notes");
    const auto folder = dir.getChildFile ("folder.jpg");
    folder.createDirectory();
    const auto locked = write ("locked.jpg", sample);
    ::chmod (locked.getFullPathName().toRawUTF8(), 0);

    struct Case { const char* name; juce::File file; ImageRefusal reason; bool dropped = false; };
    std::vector<Case> cases = {
        { "empty", write ("empty.jpg", {}), ImageRefusal::notAnImage },
        { "cut short", write ("half.jpg", half), ImageRefusal::damaged },
        { "text named .jpg", write ("notes.jpg", juce::MemoryBlock (text.toRawUTF8(), text.getNumBytesAsUTF8())), ImageRefusal::notAnImage },
        { "CMYK document", write ("cmyk.psd", psd), ImageRefusal::unsupportedKind },
        { "a folder, dropped", folder, ImageRefusal::unreadable, true },
    };
    // Root reads any file whatever its permissions.
    if (::geteuid() != 0)
        cases.push_back ({ "unreadable", locked, ImageRefusal::unreadable });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        main().notOpened.clear();
        if (c.dropped)
            main().filesDropped ({ c.file.getFullPathName() }, 10, 10);
        else
            main().openImage (c.file, false);

        EXPECT_EQ (main().getRenderThread(), nullptr);
        EXPECT_EQ (main().getOriginalImage(), source);
        EXPECT_EQ (main().getWorkingImage(), working);
        EXPECT_EQ (canvas().getImage(), shown);
        EXPECT_EQ (window().getName(), title);
        EXPECT_EQ (main().getCurrentImageFile(), samplePhoto);
        EXPECT_EQ (main().getSettings()->get (SettingsKeys::imagePath), samplePhoto.getFullPathName());
        ASSERT_EQ (main().notOpened.size(), 1);
        EXPECT_TRUE (main().notOpened[0].contains ("\"" + c.file.getFileName() + "\"")) << main().notOpened[0];
        EXPECT_TRUE (main().notOpened[0].endsWith (describeImageRefusal (c.reason))) << main().notOpened[0];
    }
    ::chmod (locked.getFullPathName().toRawUTF8(), 0600);
}

TEST_F (OpeningImages, TheReasonIsShownInTheKitsAlert)
{
    start();
    main().showsRealAlert = true;
    const auto notes = folders.getRoot().getChildFile ("notes.jpg");
    notes.replaceWithText ("just some notes");

    main().openImage (notes, false);

    SxAlertComponent* alert = nullptr;
    for (auto* c : main().getChildren())
        if (c->getName() == "imageNotOpenedAlert")
            alert = dynamic_cast<SxAlertComponent*> (c);
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getTitleLabel().getText(), OpenImageRules::notOpenedTitle);
    EXPECT_EQ (alert->getMessagePainter().text,
               "\"notes.jpg\" was not opened. " + describeImageRefusal (ImageRefusal::notAnImage));
}
