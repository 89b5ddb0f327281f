#include "HostedTest.h"
#include "ImageFileBridges.h"
#include "PlatformOpenPanel.h"
#include "PlatformUserDefaults.h"
#include "SxCustomImageComponent.h"
#include "SxImageButton.h"
#include "SxImageRgbaBytes.h"
#include "SxWidgetArt.h"
#include "TestImages.h"

#include <cstdlib>
#include <string>

namespace
{
    /** Writes what every listener hears into one shared journal, in order. */
    struct Listener : public SxCustomImageComponentCallback
    {
        Listener (juce::String n, juce::StringArray& j, bool wants = true) : name (std::move (n)), journal (j), wantsImage (wants) {}

        bool wantsLoadedImage() override  { return wantsImage; }

        void customImageChosen (SxImageRgbaBytes* image, const juce::String& path) override
        {
            journal.add (name + " chosen " + (image != nullptr ? juce::String (image->width) + "x" + juce::String (image->height) : "null")
                         + " " + juce::File::createFileWithoutCheckingPath (path).getFileName());
            if (onChosen)
                onChosen();
        }

        void customImageCancelled() override  { journal.add (name + " cancelled"); }
        void customImageCleared() override    { journal.add (name + " cleared"); }

        juce::String name;
        juce::StringArray& journal;
        bool wantsImage;
        std::function<void()> onChosen;
    };

    class CustomImageComponentTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            sxgui::HostedTest::SetUp();
            if (const char* old = std::getenv ("XDG_CONFIG_HOME"))
                oldConfig = old;
            ::setenv ("XDG_CONFIG_HOME", temp.get().getChildFile ("config").getFullPathName().toRawUTF8(), 1);
        }

        void TearDown() override
        {
            PlatformOpenPanel::setRunner ({});
            if (oldConfig.has_value())
                ::setenv ("XDG_CONFIG_HOME", oldConfig->c_str(), 1);
            else
                ::unsetenv ("XDG_CONFIG_HOME");
            sxgui::HostedTest::TearDown();
        }

        /** A chooser in the host, as the source-image wizard places it beside a caption. */
        SxCustomImageComponent& makeChooser()
        {
            auto* chooser = new SxCustomImageComponent ("customImage", "Load Custom Image");
            host.getEffectPanel().addAndMakeVisible (chooser);
            chooser->listeners.push_back (&first);
            chooser->listeners.push_back (&second);
            return *chooser;
        }

        /** A PNG of w x h whose red grows along x and green along y. */
        juce::File writePng (const juce::String& name, int w, int h)
        {
            juce::Image image (juce::Image::ARGB, w, h, false);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.setPixelAt (x, y, juce::Colour ((juce::uint8) (x * 255 / juce::jmax (1, w - 1)),
                                                          (juce::uint8) (y * 255 / juce::jmax (1, h - 1)), 80));
            const auto file = temp.get().getChildFile (name);
            juce::FileOutputStream out (file);
            juce::PNGImageFormat().writeImageToStream (image, out);
            return file;
        }

        juce::File writeBytes (const juce::String& name, const juce::String& text)
        {
            const auto file = temp.get().getChildFile (name);
            file.replaceWithText (text);
            return file;
        }

        static bool showsPlaceholder (SxCustomImageComponent& chooser)
        {
            return chooser.getImageButton().getNormalImage() == SxWidgetArt::get (WidgetArt::customImagePlaceholder);
        }

        sxtest::TempFolder temp;
        std::optional<std::string> oldConfig;
        juce::StringArray journal;
        Listener first { "first", journal }, second { "second", journal };
    };
}

TEST (CustomImageComponentFit, PicturesAreFittedWithin300ByIntegerArithmetic)
{
    struct Case { int w, h, fw, fh; };
    const Case cases[] = {
        { 4000, 3000, 300, 225 },
        { 1000, 4000, 75, 300 },
        { 300, 300, 300, 300 },
        { 299, 300, 299, 300 },     // 300 x 300 / 299 = 301: the height is the long side
        { 300, 301, 299, 300 },
        { 100, 50, 300, 150 },      // small pictures grow
        { 1, 1000, 0, 300 },
        { 0, 50, 0, 50 },           // no width or height: unchanged
        { 50, 0, 50, 0 },
        { 0, 0, 0, 0 },
    };

    for (auto& c : cases)
        EXPECT_EQ (SxCustomImageComponent::fittedSize (c.w, c.h), juce::Point<int> (c.fw, c.fh)) << c.w << " x " << c.h;
}

TEST (CustomImageComponentFit, TheThumbnailCoversTheSquareCentred)
{
    // The fitted copy of a 4000 x 3000 photo is 301 x 226: scaled to about 266.4 x 200.
    const auto wide = SxCustomImageComponent::coverRectangle (301, 226);
    EXPECT_NEAR (wide.getWidth(), 266.37, 0.01);
    EXPECT_EQ (wide.getHeight(), 200.0);
    EXPECT_NEAR (wide.getX(), -33.19, 0.01);
    EXPECT_EQ (wide.getY(), 0.0);

    const auto tall = SxCustomImageComponent::coverRectangle (76, 301);
    EXPECT_EQ (tall.getWidth(), 200.0);
    EXPECT_NEAR (tall.getHeight(), 792.1, 0.1);
    EXPECT_NEAR (tall.getCentreY(), 100.0, 1.0e-9);

    EXPECT_EQ (SxCustomImageComponent::coverRectangle (50, 50), juce::Rectangle<double> (0.0, 0.0, 200.0, 200.0));
}

TEST_F (CustomImageComponentTest, StartsEmptyWithItsPartsInPlace)
{
    auto& chooser = makeChooser();
    EXPECT_EQ (chooser.getName(), "");
    EXPECT_EQ (chooser.getBounds(), juce::Rectangle<int> (0, 0, 256, 60));
    EXPECT_FALSE (chooser.hasImage());
    EXPECT_TRUE (showsPlaceholder (chooser));

    EXPECT_EQ (chooser.getLabel().getName(), "SxLabelColorPickerLabel");
    EXPECT_EQ (chooser.getLabel().getBounds(), juce::Rectangle<int> (36, 25, 150, 23));
    EXPECT_EQ (chooser.getImageButton().getName(), "SxCustomImageComponentButton");
    EXPECT_EQ (chooser.getImageButton().getBounds(), juce::Rectangle<int> (201, 10, 50, 50));

    // The close button belongs to the control, in front of everything, hidden while empty.
    auto& close = chooser.getCloseButton();
    EXPECT_EQ (close.getParentComponent(), &chooser);
    EXPECT_EQ (close.getBounds(), juce::Rectangle<int> (0, 0, 23, 23));
    EXPECT_EQ (chooser.getIndexOfChildComponent (&close), chooser.getNumChildComponents() - 1);
    EXPECT_FALSE (close.isVisible());
}

TEST_F (CustomImageComponentTest, TheThumbnailIsCutFromTheCentreOfTheFittedCopy)
{
    auto& chooser = makeChooser();

    // A fitted copy of 301 x 226 whose red is its column and green its row.
    SxRef<SxImageRgbaBytes> fitted (new SxImageRgbaBytes (301, 226));
    for (int y = 0; y < 226; ++y)
        for (int x = 0; x < 301; ++x)
            fitted->setPixel ((juce::uint32) (0xff | (x * 255 / 300) << 8 | (y * 255 / 225) << 16), x, y);

    chooser.setThumbnail (fitted.get());
    EXPECT_TRUE (chooser.hasImage());
    EXPECT_TRUE (chooser.getCloseButton().isVisible());

    const auto thumb = chooser.getImageButton().getNormalImage();
    ASSERT_EQ (thumb.getBounds(), juce::Rectangle<int> (200, 200));

    // Columns 33.2 to 299.6 of the copy are seen (box-averaged 1.13 to 1), all of its rows.
    const auto redAt = [&] (int x) { return (int) thumb.getPixelAt (x, 100).getRed(); };
    const auto greenAt = [&] (int y) { return (int) thumb.getPixelAt (100, y).getGreen(); };
    EXPECT_NEAR (redAt (0), 38 * 255 / 300, 2);
    EXPECT_NEAR (redAt (100), 151 * 255 / 300, 2);
    EXPECT_NEAR (redAt (199), 263 * 255 / 300, 2);
    EXPECT_NEAR (greenAt (0), 0, 2);
    EXPECT_NEAR (greenAt (199), 225 * 255 / 225, 3);
    EXPECT_EQ (thumb.getPixelAt (0, 0).getAlpha(), 255);
    EXPECT_EQ (thumb.getPixelAt (199, 199).getAlpha(), 255);
}

TEST_F (CustomImageComponentTest, DragsOfImageFilesAreWelcomeWhateverTheirCase)
{
    auto& chooser = makeChooser();
    struct Case { juce::StringArray files; bool interested; };
    const Case cases[] = {
        { { "/p/a.jpg" }, true },
        { { "/p/a.PNG" }, true },
        { { "/p/a.png" }, true },
        { { "/p/a.JpEg" }, true },
        { { "/p/a.tif" }, true },
        { { "/p/a.TIFF" }, true },
        { { "/p/raw.nef" }, true },
        { { "/p/raw.Cr2" }, true },
        { { "/p/layers.psd" }, true },
        { { "/p/old.bmp" }, true },
        { { "/p/clip.gif" }, false },
        { { "/p/notes.txt", "/p/clip.gif", "/p/photo.jpg" }, true },   // any one will do
        { { "/p/jpg" }, false },                                        // a name, not a type
        { {}, false },
    };

    for (auto& c : cases)
        EXPECT_EQ (chooser.isInterestedInFileDrag (c.files), c.interested) << c.files.joinIntoString (" ");
}

TEST_F (CustomImageComponentTest, ADropLoadsTheFirstImageFileAndTellsEveryListener)
{
    auto& chooser = makeChooser();
    const auto notes = writeBytes ("notes.txt", "not a picture");
    const auto clip = writeBytes ("clip.gif", "GIF89a");
    const auto photo = writePng ("photo.png", 400, 300);

    EXPECT_TRUE (input.dropFiles (chooser, { notes.getFullPathName(), clip.getFullPathName(), photo.getFullPathName() }));
    EXPECT_EQ (journal, juce::StringArray ({ "first chosen 400x300 photo.png", "second chosen 400x300 photo.png" }));
    EXPECT_TRUE (chooser.hasImage());
    EXPECT_TRUE (chooser.getCloseButton().isVisible());
    EXPECT_FALSE (showsPlaceholder (chooser));

    journal.clear();
    EXPECT_FALSE (input.dropFiles (chooser, { clip.getFullPathName() }));
    EXPECT_TRUE (journal.isEmpty());
}

TEST_F (CustomImageComponentTest, AListenerThatWantsOnlyThePathGetsItWithoutALoad)
{
    auto& chooser = makeChooser();
    first.wantsImage = false;
    const auto photo = writePng ("photo.png", 40, 30);
    const auto missing = temp.get().getChildFile ("gone.jpg");

    chooser.loadImageFile (photo, true);
    EXPECT_EQ (journal, juce::StringArray ({ "first chosen null photo.png", "second chosen 40x30 photo.png" }));

    // A file that is not there still reaches the path-only listener, and nobody else.
    journal.clear();
    chooser.loadImageFile (missing, true);
    EXPECT_EQ (journal, juce::StringArray ({ "first chosen null gone.jpg" }));
}

TEST_F (CustomImageComponentTest, AFileThatDoesNotLoadChangesNothing)
{
    auto& chooser = makeChooser();
    const auto broken = writeBytes ("broken.png", "\x89PNG but nothing more");
    const auto missing = temp.get().getChildFile ("gone.jpg");
    const auto photo = writePng ("photo.png", 40, 30);

    for (auto& file : { broken, missing })
    {
        chooser.loadImageFile (file, true);
        EXPECT_TRUE (journal.isEmpty()) << file.getFileName();
        EXPECT_FALSE (chooser.hasImage()) << file.getFileName();
        EXPECT_FALSE (chooser.getCloseButton().isVisible()) << file.getFileName();
        EXPECT_TRUE (showsPlaceholder (chooser)) << file.getFileName();
    }

    // With a picture shown, a failed load keeps it.
    chooser.loadImageFile (photo, true);
    const auto shown = chooser.getImageButton().getNormalImage();
    journal.clear();
    EXPECT_TRUE (input.dropFiles (chooser, { broken.getFullPathName() }));
    EXPECT_TRUE (journal.isEmpty());
    EXPECT_TRUE (chooser.hasImage());
    EXPECT_TRUE (chooser.getCloseButton().isVisible());
    EXPECT_EQ (chooser.getImageButton().getNormalImage(), shown);
}

TEST_F (CustomImageComponentTest, TheCloseButtonReportsClearedThenChosenNothingToEveryListener)
{
    auto& chooser = makeChooser();
    chooser.loadImageFile (writePng ("photo.png", 40, 30), true);
    journal.clear();

    input.click (chooser.getCloseButton());
    EXPECT_EQ (journal, juce::StringArray ({ "first cleared", "second cleared", "first chosen null ", "second chosen null " }));
    EXPECT_FALSE (chooser.hasImage());
    EXPECT_FALSE (chooser.getCloseButton().isVisible());
    EXPECT_TRUE (showsPlaceholder (chooser));
}

TEST_F (CustomImageComponentTest, TheOpenPanelStartsInTheLastFolderAndRemembersTheNewOne)
{
    auto& chooser = makeChooser();
    const auto photo = writePng ("photo.png", 64, 48);
    const auto earlier = temp.get().getChildFile ("earlier");
    ASSERT_TRUE (earlier.createDirectory());
    PlatformUserDefaults::setString (ImageFileBridges::lastDirectoryKey, earlier.getFullPathName());

    PlatformOpenPanel::Request seen;
    PlatformOpenPanel::setRunner ([&] (const PlatformOpenPanel::Request& r) { seen = r; return photo; });
    input.click (chooser.getImageButton());

    EXPECT_EQ (seen.startFolder, earlier);
    EXPECT_TRUE (seen.patterns.contains ("*.psd") && seen.patterns.contains ("*.NEF"));
    EXPECT_EQ (PlatformUserDefaults::getString (ImageFileBridges::lastDirectoryKey), temp.get().getFullPathName());
    EXPECT_EQ (journal, juce::StringArray ({ "first chosen 64x48 photo.png", "second chosen 64x48 photo.png" }));
    EXPECT_TRUE (chooser.hasImage());
}

TEST_F (CustomImageComponentTest, ACancelledPanelOnlyTellsTheListeners)
{
    auto& chooser = makeChooser();
    chooser.loadImageFile (writePng ("photo.png", 40, 30), true);
    const auto shown = chooser.getImageButton().getNormalImage();
    journal.clear();
    PlatformUserDefaults::setString (ImageFileBridges::lastDirectoryKey, "/nowhere/in/particular");

    PlatformOpenPanel::setRunner ([] (const PlatformOpenPanel::Request&) { return juce::File(); });
    input.click (chooser.getImageButton());

    EXPECT_EQ (journal, juce::StringArray ({ "first cancelled", "second cancelled" }));
    EXPECT_TRUE (chooser.hasImage());
    EXPECT_EQ (chooser.getImageButton().getNormalImage(), shown);
    EXPECT_EQ (PlatformUserDefaults::getString (ImageFileBridges::lastDirectoryKey), "/nowhere/in/particular");
}

TEST_F (CustomImageComponentTest, ReturnOpensThePanelAndTheCloseButtonIsATabStop)
{
    auto& chooser = makeChooser();
    int panels = 0;
    PlatformOpenPanel::setRunner ([&] (const PlatformOpenPanel::Request&) { ++panels; return juce::File(); });

    chooser.getImageButton().grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::returnKey)));
    sxgui::drainMessages();
    EXPECT_EQ (panels, 1);

    // Hidden while empty: no stop. Shown with a picture: Tab reaches it and Return clears.
    chooser.loadImageFile (writePng ("photo.png", 40, 30), true);
    chooser.getImageButton().grabKeyboardFocus();
    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_TRUE (chooser.getCloseButton().hasKeyboardFocus (false));

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::returnKey)));
    sxgui::drainMessages();
    EXPECT_FALSE (chooser.hasImage());
}

TEST_F (CustomImageComponentTest, AListenerMayDeleteTheChooserWhenTold)
{
    auto* chooser = &makeChooser();
    first.onChosen = [&chooser] { delete std::exchange (chooser, nullptr); };

    const auto photo = writePng ("photo.png", 40, 30);
    EXPECT_TRUE (input.dropFiles (*chooser, { photo.getFullPathName() }));
    EXPECT_EQ (chooser, nullptr);
    EXPECT_EQ (journal, juce::StringArray ({ "first chosen 40x30 photo.png" }));
}
