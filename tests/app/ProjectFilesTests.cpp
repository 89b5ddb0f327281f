// Project files through the main component: opened by every road in, saved through the
// "Save Project?" question, and damaged files or failed writes costing nothing.

#include "AbstractWaterColor.h"
#include "BrushRenderLock.h"
#include "ImageBlob.h"
#include "ImageSavePanel.h"
#include "InProcessProduct.h"
#include "JpegCodec.h"
#include "PeerInput.h"
#include "ProjectFile.h"
#include "PropertyValues.h"
#include "Quenzella_TolvaAppComponent.h"
#include "RenderFlowTestSupport.h"
#include "SaveProjectQuestion.h"
#include "ScopedFileSizeLimit.h"
#include "ScopedUserFolders.h"
#include "SettingsFileHeader.h"
#include "StylizedWatercolor.h"
#include "ZorvMainWindow.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using rendertest::finishRenders;

namespace
{
    const juce::File samplePhoto (SX_SAMPLE_PHOTO);

    /** The product's main component, writing down what it would tell the user. */
    struct RecordingProduct : public Quenzella_TolvaAppComponent
    {
        void showImageNotOpened (const juce::String& title, const juce::String& message) override
        {
            messages.add (title + ": " + message);
        }

        void showProjectProblem (const juce::String& title, const juce::String& message) override
        {
            messages.add (title + ": " + message);
        }

        juce::StringArray messages;
    };

    using ProductApplication = InProcessProduct<RecordingProduct>;

    /** A watercolour layer whose mask the test can paint. */
    struct MaskedStylized : public StylizedWatercolor
    {
        SelectMaskData& mask() noexcept { return maskData; }
    };

    struct MaskedAbstract : public AbstractWaterColor
    {
        SelectMaskData& mask() noexcept { return maskData; }
    };

    void paintStrokes (SelectMaskData& mask, int count)
    {
        for (int s = 0; s < count; ++s)
        {
            SxStroke stroke;
            for (int i = 0; i < 20; ++i)
                stroke.mLine.push_back ({ 50.0f + (float) (s * 30 + i * 4), 80.0f + (float) (i * 3) });
            stroke.mDiameter = 10.0f + (float) s;
            stroke.mColor = 0xffffffffu;
            mask.strokes.push_back (stroke);
        }
    }

    /** A textured opaque photograph. */
    SxRef<SxImageRgbaBytes> photograph (int width, int height)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height, SxImageRgbaBytes::uninitialised));
        for (int y = 0; y < height; ++y)
        {
            auto* p = image->getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                p[0] = 255;
                p[1] = (uint8_t) (x * 255 / width);
                p[2] = (uint8_t) (y * 255 / height);
                p[3] = (uint8_t) ((x / 16 + y / 16) % 2 == 0 ? 200 : 60);
            }
        }
        return image;
    }

    struct ProjectSpec
    {
        ProjectSpec (Layer* e, const juce::String& c, int w = 400, int h = 300, double dx = 72.0, double dy = 72.0,
                     std::vector<uint32_t> history = {})
            : effect (e), className (c), width (w), height (h), dpiX (dx), dpiY (dy), colours (std::move (history)) {}

        Layer* effect;             // whose settings the project stores
        juce::String className;    // the class it names
        int width, height;
        double dpiX, dpiY;
        std::vector<uint32_t> colours;
    };

    /** The keys a document puts into a project: its one effect layer, then the history. */
    SxPropertySet documentKeys (const ProjectSpec& spec)
    {
        SxPropertySet set;
        setIntProperty (set, "LayerCount", 1);
        setIntProperty (set, "SelectedLayer", 1);
        setStringProperty (set, "ClassName1", spec.className);
        SxPropertySet settings;
        spec.effect->saveToPropertySet (settings, LayerSaveOptions {});
        settings.writeAsRecord (set, "EffectDictionary1");
        setIntProperty (set, "SubLayerCount1", 0);

        SxPropertySet colours;
        setIntProperty (colours, "totalColors", (int) spec.colours.size());
        for (size_t i = 0; i < spec.colours.size(); ++i)
        {
            const auto word = spec.colours[i];
            const juce::String n ((int) i);
            setIntProperty (colours, "ColorRed" + n, (int) ((word >> 8) & 0xff));
            setIntProperty (colours, "ColorGreen" + n, (int) ((word >> 16) & 0xff));
            setIntProperty (colours, "ColorBlue" + n, (int) ((word >> 24) & 0xff));
            setIntProperty (colours, "ColorAlpha" + n, (int) (word & 0xff));
        }
        for (const auto& key : colours.getAllProperties().getAllKeys())
            set.setValue (key, colours.getValue (key));
        return set;
    }

    juce::File writeProject (const juce::File& file, const ProjectSpec& spec)
    {
        const auto picture = photograph (spec.width, spec.height);
        const auto result = ProjectFile::write (file, documentKeys (spec), *picture, spec.dpiX, spec.dpiY, *picture);
        EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
        return file;
    }

    juce::MemoryBlock bytesOf (const juce::File& file)
    {
        juce::MemoryBlock block;
        file.loadFileAsData (block);
        return block;
    }

    juce::StringArray keysIn (const juce::PropertySet& set)
    {
        return const_cast<juce::PropertySet&> (set).getAllProperties().getAllKeys();
    }

    class ProjectFiles : public ::testing::Test
    {
    protected:
        void start (const juce::StringArray& launchFiles = {})
        {
            app = std::make_unique<ProductApplication>();
            app->launchFiles = launchFiles;
            app->initialise ({});
            sxgui::drainMessages();
            input = std::make_unique<sxgui::PeerInput> (window());
        }

        void TearDown() override
        {
            SaveProjectQuestion::setRunner ({});
            ImageSavePanel::setRunner ({});
            input.reset();
            if (app != nullptr)
            {
                finishRenders (main());
                app->shutdown();
                app.reset();
            }
            sxgui::drainMessages();
        }

        RecordingProduct& main()        { return *app->component; }
        ZorvMainWindow& window()        { return *app->getMainWindow(); }
        GenericAppDocument& canvas()    { return *main().getDocument(); }
        AppSettings& settings()         { return *main().getSettings(); }

        const std::vector<Layer*>& listEffects()  { return main().getEffectList()[0].effects; }
        StylizedWatercolor& listEffect (int index)  { return *dynamic_cast<StylizedWatercolor*> (listEffects()[(size_t) index]); }
        /** The class names a project stores for the effect list's two effects. */
        juce::String abstractClass()  { return listEffects()[0]->getClassName(); }
        juce::String stylizedClass()  { return listEffects()[1]->getClassName(); }

        /** The question answers as told and counts how often it was asked. */
        void answerQuestionWith (SaveProjectQuestion::Answer answer)
        {
            SaveProjectQuestion::setRunner ([this, answer]
            {
                ++questionsAsked;
                return answer;
            });
        }

        /** The save panel answers with name in folder (nothing: Cancel), keeping the panel it saw. */
        void answerPanelWith (std::optional<juce::String> name, const juce::File& folder)
        {
            ImageSavePanel::setRunner ([this, name, folder] (ImageSavePanel& panel) -> std::optional<ImageSavePanel::Result>
            {
                panelsShown.push_back (panel);
                if (! name)
                    return std::nullopt;
                panel.nameFieldEdited (*name);
                return panel.resultIn (folder);
            });
        }

        /** Opens the file and lets every render and the save that follows finish. */
        void settle()
        {
            for (int i = 0; i < 4; ++i)
            {
                finishRenders (main());
                sxgui::drainMessages();
                if (main().isTimerRunning (GenericAppComponent::saveProjectTimer))
                    sxgui::fireTimer (main(), GenericAppComponent::saveProjectTimer);
            }
            finishRenders (main());
        }

        void openAndSettle (const juce::File& project)
        {
            main().askSaveProject (project);
            settle();
        }

        void openPhotoAndSettle()
        {
            main().openImage (samplePhoto, false);
            settle();
        }

        /** What the document is now, to be compared after something that must not touch it. */
        struct Document
        {
            SxImageRgbaBytes* source;
            SxImageRgbaBytes* working;
            SxImageRgbaBytes* shown;
            juce::String title, imagePath;
            juce::File file;
        };

        Document document()
        {
            return { main().getOriginalImage(), main().getWorkingImage(), canvas().getImage(), window().getName(),
                     settings().get (SettingsKeys::imagePath), main().getCurrentImageFile() };
        }

        void expectIntact (const Document& before)
        {
            const auto now = document();
            EXPECT_EQ (now.source, before.source);
            EXPECT_EQ (now.working, before.working);
            EXPECT_EQ (now.shown, before.shown);
            EXPECT_EQ (now.title, before.title);
            EXPECT_EQ (now.imagePath, before.imagePath);
            EXPECT_EQ (now.file, before.file);
        }

        /** The document is the project: its picture, resolution, name and the stack's one effect. */
        void expectProjectOpened (const juce::File& project, int width, int height)
        {
            ASSERT_NE (main().getOriginalImage(), nullptr);
            EXPECT_EQ (main().getOriginalImage()->width, width);
            EXPECT_EQ (main().getOriginalImage()->height, height);
            EXPECT_EQ (settings().get (SettingsKeys::imagePath), project.getFullPathName());
            EXPECT_EQ (main().getCurrentImageFile(), project);
            EXPECT_EQ (window().getName(), project.getFileName());
            EXPECT_EQ (canvas().getImage(), main().getLayerManager()->getFirstEffectLayer()->getOutputImage());
            EXPECT_EQ (main().getLayerManager()->getNumLayers(), 2);
        }

        ScopedUserFolders folders;
        sxtest::TempFolder temp;
        std::unique_ptr<ProductApplication> app;
        std::unique_ptr<sxgui::PeerInput> input;
        int questionsAsked = 0;
        std::vector<ImageSavePanel> panelsShown;
    };
}

//==============================================================================
TEST_F (ProjectFiles, ARoundTripThroughTheMainComponentKeepsTheWholeDocument)
{
    start();

    // The Abstract effect holds a mask from an earlier project: a later one must clear it.
    MaskedAbstract earlier;
    paintStrokes (earlier.mask(), 2);
    openAndSettle (writeProject (temp.get().getChildFile ("Earlier.kvp"), { &earlier, abstractClass() }));
    ASSERT_EQ (listEffect (0).getMaskData().strokes.size(), 2u);

    MaskedStylized painted;
    painted.getSettings().borderFileName = "border-01";
    painted.getSettings().overallStrength = 0.625f;
    paintStrokes (painted.mask(), 3);
    const std::vector<uint32_t> colours { ColorHistoryAddon::colourWord (10, 20, 30, 255),
                                          ColorHistoryAddon::colourWord (200, 100, 50, 128),
                                          ColorHistoryAddon::colourWord (0, 0, 0, 0) };
    const auto saved = writeProject (temp.get().getChildFile ("Painting.kvp"),
                                     { &painted, stylizedClass(), 4000, 3000, 300.0, 150.0, colours });

    openAndSettle (saved);
    ASSERT_TRUE (main().messages.isEmpty()) << main().messages.joinIntoString ("\n");
    expectProjectOpened (saved, 4000, 3000);

    // Loaded into the effect list's own Stylized layer, which is selected; the other
    // effect lost the earlier mask with the earlier picture.
    auto& stylized = listEffect (1);
    EXPECT_EQ (main().getLayerManager()->getFirstEffectLayer(), &stylized);
    EXPECT_TRUE (stylized.isSelected());
    EXPECT_EQ (stylized.getSettings().borderFileName, "border-01");
    EXPECT_FLOAT_EQ (stylized.getSettings().overallStrength, 0.625f);
    EXPECT_EQ (stylized.getMaskData().strokes.size(), 3u);
    EXPECT_TRUE (listEffect (0).getMaskData().strokes.empty());

    EXPECT_EQ (main().getColors(), colours);
    EXPECT_FLOAT_EQ (main().getResolutionX(), 300.0f);
    EXPECT_FLOAT_EQ (main().getResolutionY(), 150.0f);
    EXPECT_TRUE (main().getCameraMetadata().isEmpty());
    EXPECT_EQ (main().getWorkingImage()->width, 1301);
    EXPECT_EQ (main().getWorkingImage()->height, 975);

    // Switching away and back shows the project's settings, not another instance's.
    main().selectEffectIndex (0, false);
    main().selectEffectIndex (1, true);
    finishRenders (main());
    EXPECT_EQ (main().getLayerManager()->getFirstEffectLayer(), &stylized);
    EXPECT_EQ (stylized.getSettings().borderFileName, "border-01");

    // Written again by the document: VER3, the stream up to the thumbnail, the same keys in
    // the same order, picture and resolutions.
    const auto again = temp.get().getChildFile ("Again.kvp");
    ASSERT_TRUE (main().writeProjectFile (again).wasOk());
    const auto bytes = bytesOf (again);
    ASSERT_GT (bytes.getSize(), 12u);
    const auto* raw = static_cast<const uint8_t*> (bytes.getData());
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (raw), SettingsFileHeader::ver3Magic);
    const auto offset = juce::ByteOrder::littleEndianInt (raw + 4), size = juce::ByteOrder::littleEndianInt (raw + 8);
    EXPECT_EQ ((size_t) offset + size, bytes.getSize());
    EXPECT_EQ (raw[offset], 0xff);       // the JPEG starts where the stream ends
    EXPECT_EQ (raw[offset + 1], 0xd8);

    SxPropertySet stream;
    {
        juce::MemoryInputStream in (raw + 12, offset - 12, false);
        stream.readFromStream (in);
        EXPECT_TRUE (in.isExhausted());
    }
    const auto keys = keysIn (stream);
    EXPECT_EQ (keys[0], "LayerCount");
    EXPECT_EQ (keys.indexOf ("ClassName1") < keys.indexOf ("totalColors"), true);
    EXPECT_EQ (keys.indexOf ("ColorAlpha2") + 1, keys.indexOf ("ORIG_IMAGE_data"));
    EXPECT_EQ (keys[keys.size() - 2], "doc_WidthDPI");
    EXPECT_EQ (keys[keys.size() - 1], "doc_HeightDPI");

    ProjectFile::Contents first, second;
    ASSERT_TRUE (ProjectFile::read (saved, first).wasOk());
    ASSERT_TRUE (ProjectFile::read (again, second).wasOk());
    EXPECT_EQ (keysIn (second.properties), keysIn (first.properties));
    EXPECT_EQ (second.properties.getValue ("ClassName1"), stylizedClass());
    EXPECT_EQ (second.resolutionX, 300.0);
    EXPECT_EQ (second.resolutionY, 150.0);
    ASSERT_EQ (second.picture->width, 4000);
    EXPECT_EQ (std::memcmp (second.picture->pixels, first.picture->pixels, (size_t) 4000 * 3000 * 4), 0);

    // The same stream behind "VER2" opens as the same document.
    const auto ver2 = temp.get().getChildFile ("Plain.kvp");
    {
        juce::MemoryOutputStream out;
        out.writeInt ((int) SettingsFileHeader::ver2Magic);
        out.write (raw + 12, offset - 12);
        ASSERT_TRUE (ver2.replaceWithData (out.getData(), out.getDataSize()));
    }
    main().selectEffectIndex (0, true);
    finishRenders (main());
    openAndSettle (ver2);
    ASSERT_TRUE (main().messages.isEmpty()) << main().messages.joinIntoString ("\n");
    expectProjectOpened (ver2, 4000, 3000);
    EXPECT_EQ (main().getLayerManager()->getFirstEffectLayer(), &stylized);
    EXPECT_EQ (stylized.getMaskData().strokes.size(), 3u);
    EXPECT_EQ (main().getColors(), colours);
    EXPECT_FLOAT_EQ (main().getResolutionY(), 150.0f);
}

TEST_F (ProjectFiles, AnUnknownEffectClassLoadsIntoTheFirstEffectAndTheHistoryFileFollows)
{
    start();
    MaskedStylized painted;
    painted.getSettings().borderFileName = "border-01";
    const auto project = writeProject (temp.get().getChildFile ("Foreign.kvp"),
                                       { &painted, "SomeOtherEffect", 300, 400, 72.0, 72.0, { ColorHistoryAddon::colourWord (1, 2, 3, 4) } });
    openAndSettle (project);

    ASSERT_TRUE (main().messages.isEmpty()) << main().messages.joinIntoString ("\n");
    expectProjectOpened (project, 300, 400);
    EXPECT_EQ (main().getLayerManager()->getFirstEffectLayer(), listEffects()[0]);
    EXPECT_EQ (listEffect (0).getSettings().borderFileName, "border-01");
    EXPECT_EQ (main().getWorkingImage()->width, 975);   // portrait
    EXPECT_EQ (main().getWorkingImage()->height, 1301);

    // The history went to its file too, which the next start reads.
    const auto historyFile = main().getHistoryFile();
    EXPECT_TRUE (historyFile.existsAsFile()) << historyFile.getFullPathName();
    ColorHistoryAddon next;
    next.setHistoryFile (historyFile);
    ASSERT_TRUE (next.loadFromFile());
    EXPECT_EQ (next.getColors()[0], ColorHistoryAddon::colourWord (1, 2, 3, 4));
}

//==============================================================================
TEST_F (ProjectFiles, TheQuestionIsAskedOnlyOverUnsavedChangesAndEachAnswerDoesWhatItSays)
{
    start();
    StylizedWatercolor stylized;
    const auto handedOver = writeProject (temp.get().getChildFile ("HandedOver.kvp"), { &stylized, stylizedClass(), 400, 300 });
    const auto saveFolder = temp.get().getChildFile ("Saved");
    ASSERT_TRUE (saveFolder.createDirectory().wasOk());

    enum class Start { freshImage, changedImage, changedProject };
    struct Case
    {
        const char* name;
        Start document;
        SaveProjectQuestion::Answer answer;
        std::optional<juce::String> panelName;   // nothing: the panel is cancelled
        int questions;
        bool panelShown;
        bool handedOverOpens;
        const char* written;                     // file in saveFolder, or "in place"
        bool freshAfter;
    };
    using A = SaveProjectQuestion::Answer;
    const Case cases[] = {
        { "fresh",                      Start::freshImage,     A::cancel, {},              0, false, true,  nullptr,       true },
        { "No",                         Start::changedImage,   A::no,     {},              1, false, true,  nullptr,       true },
        { "Cancel",                     Start::changedImage,   A::cancel, {},              1, false, false, nullptr,       false },
        { "Yes with an image",          Start::changedImage,   A::yes,    "Mine",          1, true,  true,  "Mine.kvp",    true },
        { "Yes with a project",         Start::changedProject, A::yes,    {},              1, false, true,  "in place",    true },
        { "Yes, the panel cancelled",   Start::changedImage,   A::yes,    std::nullopt,    1, true,  false, nullptr,       false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        questionsAsked = 0;
        panelsShown.clear();
        main().messages.clear();
        for (const auto& f : saveFolder.findChildFiles (juce::File::findFiles, false))
            f.deleteFile();

        const auto ownProject = saveFolder.getChildFile ("Own.kvp");
        if (c.document == Start::changedProject)
        {
            MaskedStylized own;
            writeProject (ownProject, { &own, stylizedClass(), 320, 240 });
            main().openProject (ownProject);
        }
        else
        {
            main().openImage (samplePhoto, false);
        }
        settle();
        const auto ownBytes = bytesOf (ownProject);
        settings().set (SettingsKeys::freshProject, c.document == Start::freshImage);
        const auto before = document();
        const auto sourceWidth = before.source->width;

        answerQuestionWith (c.answer);
        answerPanelWith (c.panelName, saveFolder);
        main().askSaveProject (handedOver);
        settle();

        EXPECT_TRUE (main().messages.isEmpty()) << main().messages.joinIntoString ("\n");
        EXPECT_EQ (questionsAsked, c.questions);
        ASSERT_EQ (panelsShown.size(), c.panelShown ? 1u : 0u);
        if (c.panelShown)
        {
            EXPECT_EQ (panelsShown[0].getNameFieldStringValue(), "Project.kvp");
            EXPECT_EQ (panelsShown[0].getDocumentExtension(), "kvp");
            EXPECT_EQ (panelsShown[0].getTitle(), "Save Project");
        }

        if (c.handedOverOpens)
            expectProjectOpened (handedOver, 400, 300);
        else
            expectIntact (before);

        if (c.written == nullptr)
        {
            EXPECT_EQ (saveFolder.getNumberOfChildFiles (juce::File::findFiles), c.document == Start::changedProject ? 1 : 0);
        }
        else if (juce::String (c.written) == "in place")
        {
            EXPECT_NE (bytesOf (ownProject), ownBytes);   // now holds the history and the render
            ProjectFile::Contents contents;
            EXPECT_TRUE (ProjectFile::read (ownProject, contents).wasOk());
            EXPECT_EQ (contents.picture->width, 320);
        }
        else
        {
            ProjectFile::Contents contents;
            EXPECT_TRUE (ProjectFile::read (saveFolder.getChildFile (c.written), contents).wasOk());
            EXPECT_EQ (contents.picture->width, sourceWidth);   // the sample photograph
        }

        EXPECT_EQ (settings().get (SettingsKeys::freshProject), c.freshAfter);
        EXPECT_EQ (settings().get (SettingsKeys::needsToLoadImagePath), juce::String());
    }
}

TEST_F (ProjectFiles, AProjectArrivingDuringARenderOpensWhenTheRenderHasEnded)
{
    start();
    StylizedWatercolor stylized;
    const auto project = writeProject (temp.get().getChildFile ("Waiting.kvp"), { &stylized, stylizedClass(), 400, 300 });

    main().openImage (samplePhoto, false);
    ASSERT_NE (main().getRenderThread(), nullptr);
    const auto before = document();
    main().askSaveProject (project);
    expectIntact (before);

    settle();
    expectProjectOpened (project, 400, 300);
}

TEST_F (ProjectFiles, ASaveDuringARenderWaitsForItsEnd)
{
    start();
    StylizedWatercolor stylized;
    const auto own = writeProject (temp.get().getChildFile ("Own.kvp"), { &stylized, stylizedClass(), 320, 240 });
    const auto handedOver = writeProject (temp.get().getChildFile ("HandedOver.kvp"), { &stylized, stylizedClass(), 400, 300 });
    main().openProject (own);
    settle();
    const auto ownBytes = bytesOf (own);

    settings().set (SettingsKeys::freshProject, false);
    answerQuestionWith (SaveProjectQuestion::Answer::yes);

    // The Stylized render waits at its start while the test holds the brush lock.
    brushRenderLock.enter();
    main().getLayerManager()->invalidateAllLayers();
    main().renderNow();
    ASSERT_NE (main().getRenderThread(), nullptr);
    main().askSaveProject (handedOver);
    sxgui::drainMessages();
    for (int tick = 0; tick < 3; ++tick)
    {
        EXPECT_TRUE (main().isTimerRunning (GenericAppComponent::saveProjectTimer));
        sxgui::fireTimer (main(), GenericAppComponent::saveProjectTimer);
    }
    EXPECT_TRUE (main().isTimerRunning (GenericAppComponent::saveProjectTimer));
    EXPECT_EQ (bytesOf (own), ownBytes);
    brushRenderLock.exit();

    settle();
    EXPECT_NE (bytesOf (own), ownBytes);
    expectProjectOpened (handedOver, 400, 300);
    EXPECT_TRUE (settings().get (SettingsKeys::freshProject));
}

//==============================================================================
TEST_F (ProjectFiles, AFileThatIsNoProjectLeavesTheDocumentAndSaysWhyOnce)
{
    start();
    openPhotoAndSettle();
    const auto before = document();

    const auto write = [this] (const char* name, const juce::MemoryBlock& bytes)
    {
        const auto file = temp.get().getChildFile (name);
        EXPECT_TRUE (file.replaceWithData (bytes.getData(), bytes.getSize()));
        return file;
    };
    const auto ver2 = [] (const SxPropertySet& set)
    {
        juce::MemoryOutputStream out;
        out.writeInt ((int) SettingsFileHeader::ver2Magic);
        set.writeToStream (out);
        return out.getMemoryBlock();
    };

    StylizedWatercolor stylized;
    const auto keys = documentKeys ({ &stylized, stylizedClass() });
    const auto picture = photograph (40, 30);
    auto withPicture = keys;
    picture->writeToPropertySet (withPicture, ProjectFile::imageKey);

    auto cutEntry = keys;
    {
        juce::MemoryBlock blob;
        ASSERT_TRUE (ImageBlob::compress (blob, picture->width, picture->height, picture->pixels, 4));
        blob.setSize (blob.getSize() / 2);
        cutEntry.setValue (ImageBlob::entryKey (ProjectFile::imageKey), blob.toBase64Encoding());
    }
    auto hostile = withPicture;
    hostile.setValue ("EffectDictionary1", "<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY a \"aaaaaaaaaa\">"
                                           "<!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]><plist><dict><key>k</key><string>&b;</string></dict></plist>");
    juce::MemoryOutputStream legacy;
    legacy.writeInt (1);
    legacy.writeString ("this is no property list");

    const juce::File files[] = {
        write ("photo.kvp", bytesOf (samplePhoto)),
        write ("cut.kvp", ver2 (cutEntry)),
        write ("nopicture.kvp", ver2 (keys)),
        write ("legacy.kvp", legacy.getMemoryBlock()),
        write ("hostile.kvp", ver2 (hostile)),
        temp.get().getChildFile ("missing.kvp"),
    };

    for (const auto& file : files)
    {
        SCOPED_TRACE (file.getFileName());
        main().messages.clear();
        main().askSaveProject (file);
        settle();

        expectIntact (before);
        ASSERT_EQ (main().messages.size(), 1);
        EXPECT_TRUE (main().messages[0].startsWith ("Project Not Opened: \"" + file.getFileName() + "\" was not opened. "))
            << main().messages[0];
    }
}

/** A document that is a saved project with unsaved changes, and a project handed over: the
    save in place is made to fail while the test's obstacle lives. */
class FailedProjectSave : public ProjectFiles
{
protected:
    void runSaveFailing (const std::function<std::shared_ptr<void>()>& obstacle)
    {
        start();
        StylizedWatercolor stylized;
        const auto handedOver = writeProject (temp.get().getChildFile ("HandedOver.kvp"), { &stylized, stylizedClass(), 400, 300 });
        ASSERT_TRUE (folder.createDirectory().wasOk());
        const auto own = writeProject (folder.getChildFile ("Own.kvp"), { &stylized, stylizedClass(), 640, 480 });
        ownBytes = bytesOf (own);

        main().openProject (own);
        settle();
        settings().set (SettingsKeys::freshProject, false);
        const auto before = document();

        answerQuestionWith (SaveProjectQuestion::Answer::yes);
        {
            const auto held = obstacle();
            main().askSaveProject (handedOver);
            settle();
        }

        expectIntact (before);
        EXPECT_EQ (bytesOf (own), ownBytes);
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles), 1);
        EXPECT_EQ (folder.findChildFiles (juce::File::findFilesAndDirectories, false, ".*").size(), 0);
        EXPECT_FALSE (settings().get (SettingsKeys::freshProject));
        EXPECT_EQ (settings().get (SettingsKeys::needsToLoadImagePath), juce::String());
        ASSERT_EQ (main().messages.size(), 1);
        EXPECT_TRUE (main().messages[0].startsWith ("Project Not Saved: \"Own.kvp\" was not saved. ")) << main().messages[0];
    }

    juce::File folder { temp.get().getChildFile ("Projects") };
    juce::MemoryBlock ownBytes;
};

TEST_F (FailedProjectSave, AReadOnlyFolderKeepsTheOldProject)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";

    runSaveFailing ([this]
    {
        ::chmod (folder.getFullPathName().toRawUTF8(), 0555);
        return std::shared_ptr<void> (nullptr, [this] (void*) { ::chmod (folder.getFullPathName().toRawUTF8(), 0755); });
    });
}

TEST_F (FailedProjectSave, TheFileSizeLimitKeepsTheOldProject)
{
    runSaveFailing ([this]
    {
        return std::shared_ptr<void> (std::make_shared<sxtest::ScopedFileSizeLimit> ((rlim_t) ownBytes.getSize() / 3));
    });
}

//==============================================================================
TEST_F (ProjectFiles, AProjectArrivesByASecondLaunchByADropAndOnTheCommandLine)
{
    StylizedWatercolor stylized;
    const auto project = writeProject (temp.get().getChildFile ("Arriving.KVP"), { &stylized, stylized.getClassName(), 400, 300 });

    start ({ project.getFullPathName() });
    settle();
    expectProjectOpened (project, 400, 300);

    openPhotoAndSettle();
    app->filesFromAnotherLaunch ({ project.getFullPathName() });
    settle();
    expectProjectOpened (project, 400, 300);

    openPhotoAndSettle();
    EXPECT_TRUE (input->dropFiles (canvas(), { project.getFullPathName() }));
    settle();
    expectProjectOpened (project, 400, 300);
    EXPECT_TRUE (main().messages.isEmpty()) << main().messages.joinIntoString ("\n");
}

TEST_F (ProjectFiles, TheQuestionIsAnAlertOverTheWindowAndItsNoOpensTheProject)
{
    start();
    openPhotoAndSettle();
    StylizedWatercolor stylized;
    const auto project = writeProject (temp.get().getChildFile ("Asked.kvp"), { &stylized, stylizedClass(), 400, 300 });
    settings().set (SettingsKeys::freshProject, false);

    main().askSaveProject (project);
    sxgui::drainMessages();
    auto* question = SaveProjectQuestion::findShowing();
    ASSERT_NE (question, nullptr);
    EXPECT_TRUE (question->isCurrentlyModal());
    EXPECT_EQ (question->getName(), "Save Project?");
    EXPECT_EQ (question->getComponentID(), SaveProjectQuestion::windowID);
    EXPECT_EQ (question->getNumButtons(), 3);
    EXPECT_EQ (main().getCurrentImageFile(), samplePhoto);

    // A second hand-over while it is up asks nothing more: the answer is about the latest.
    const auto later = writeProject (temp.get().getChildFile ("Later.kvp"), { &stylized, stylizedClass(), 320, 240 });
    main().askSaveProject (later);
    sxgui::drainMessages();
    EXPECT_EQ (SaveProjectQuestion::findShowing(), question);

    question->triggerButtonClick ("No");
    sxgui::drainMessages();
    EXPECT_EQ (SaveProjectQuestion::findShowing(), nullptr);
    settle();
    expectProjectOpened (later, 320, 240);
    EXPECT_TRUE (settings().get (SettingsKeys::freshProject));   // the changes were given up
}

TEST_F (ProjectFiles, ProjectsOfEveryFormOpen)
{
    start();
    for (const auto* name : { "ver3.kvp", "ver2.kvp", "legacy-bare.kvp", "legacy-marked.kvp" })
    {
        SCOPED_TRACE (name);
        const auto file = juce::File (SX_PROJECT_SEEDS).getChildFile (name);
        ProjectFile::Contents contents;
        ASSERT_TRUE (ProjectFile::read (file, contents).wasOk());

        main().messages.clear();
        openAndSettle (file);
        EXPECT_TRUE (main().messages.isEmpty()) << main().messages.joinIntoString ("\n");
        expectProjectOpened (file, contents.picture->width, contents.picture->height);
        EXPECT_EQ (main().getLayerManager()->getFirstEffectLayer()->getClassName(), contents.properties.getValue ("ClassName1"));
    }
}
