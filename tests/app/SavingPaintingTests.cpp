// Saving the painting from the window: the full-size render behind the activity window,
// the save panel (answered by a runner), the background write and what the user is told,
// read back from the files.

#include "ExifTestBlocks.h"
#include "ImageSaveFlow.h"
#include "Jpeg2000Codec.h"
#include "JpegCodec.h"
#include "PeerInput.h"
#include "PlatformImageDecoder.h"
#include "PngCodec.h"
#include "Quenzella_Tolva.h"
#include "Quenzella_TolvaAppComponent.h"
#include "RenderFlowTestSupport.h"
#include "ScopedFileSizeLimit.h"
#include "ScopedPanelAnswer.h"
#include "ScopedUserFolders.h"
#include "StaticImageLayer.h"
#include "StylizedWatercolor.h"
#include "SxActivityContainer.h"
#include "ZorvMainWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <initializer_list>

#include <sys/stat.h>
#include <unistd.h>

using rendertest::finishRenders;

namespace
{
    using Type = ImageSavePanel::ImageType;

    /** The upright picture of the generated photograph: four quadrants, the lower two
        translucent in the translucent variant (bytes red, green, blue, alpha). */
    std::array<uint8_t, 4> uprightColour (int x, int y, int width, int height, bool translucent)
    {
        const bool top = y < height / 2, left = x < width / 2;
        if (top)
            return left ? std::array<uint8_t, 4> { 220, 40, 30, 255 } : std::array<uint8_t, 4> { 30, 190, 60, 255 };
        const uint8_t alpha = translucent ? (left ? 0x80 : 0x40) : 255;
        return left ? std::array<uint8_t, 4> { 20, 40, 200, alpha } : std::array<uint8_t, 4> { 10, 10, 10, alpha };
    }

    /** A photograph upright width x height, stored a quarter turn away with EXIF
        Orientation 6, at 300 dpi: a JPEG, or a PNG for the translucent variant. */
    juce::File writePhotograph (const juce::File& file, int width, int height, bool translucent)
    {
        PlatformImage stored;
        stored.allocate (height, width);
        for (int sy = 0; sy < stored.height; ++sy)
            for (int sx = 0; sx < stored.width; ++sx)
            {
                const auto c = uprightColour (width - 1 - sy, sx, width, height, translucent);
                std::memcpy (stored.getRow (sy) + sx * 4, c.data(), 4);
            }

        sxtest::ExifSpec spec;
        spec.orientation = 6;
        spec.xResolution = spec.yResolution = 300;
        stored.exifBlock = sxtest::makeExifBlock (spec);
        stored.resolutionX = stored.resolutionY = 300.0;

        juce::MemoryOutputStream out;
        if (translucent)
        {
            EXPECT_TRUE (PngCodec::encode (stored, true, out));
        }
        else
        {
            JpegCodec::WriteSettings settings;
            settings.quality = 95;
            settings.densityX = settings.densityY = 300.0;
            settings.markers.push_back ({ 0xe1, stored.exifBlock });
            EXPECT_TRUE (JpegCodec::encode (stored, settings, out));
        }
        EXPECT_TRUE (file.replaceWithData (out.getData(), out.getDataSize()));
        return file;
    }

    /** An effect that hands its input on unchanged, alpha and all, so that a saved file can
        be compared with the photograph pixel for pixel. Held, its render waits. */
    struct PassThroughLayer : public Layer
    {
        Layer* createInstance() override             { return new PassThroughLayer(); }
        juce::String getShortName() const override   { return "Pass"; }

        void render (RenderParameters& params) override
        {
            entered.signal();
            if (hold)
                release.wait (120000);
            renderedSizes.push_back (params.image != nullptr ? params.image->width : 0);
            prepareOutputImage (params);
            if (auto* out = getOutputImage(); out != nullptr && params.image != nullptr)
                out->copyPixelsFrom (*params.image);
        }

        std::atomic<bool> hold { false };
        juce::WaitableEvent entered, release;
        std::vector<int> renderedSizes;
    };

    /** What a main component tells the user about saves, written down. */
    template <typename Base>
    struct RecordingSaves : public Base
    {
        void showImageNotSaved (const juce::String& title, const juce::String& message) override
        {
            notSaved.add (title + ": " + message);
        }

        juce::StringArray notSaved;
    };

    struct PassThroughComponent : public RecordingSaves<GenericAppComponentLayers>
    {
        juce::String getAppName() const override  { return "Saving Test"; }
        void createEffectLayers() override        { addEffect (effect = new PassThroughLayer()); }
        PassThroughLayer* effect = nullptr;
    };

    /** The product's application started in-process with the recording main component. */
    struct SavingApplication : public Quenzella_Tolva
    {
        GenericAppComponent* createMainComponent() override
        {
            component = new RecordingSaves<Quenzella_TolvaAppComponent>();
            return component;
        }

        RecordingSaves<Quenzella_TolvaAppComponent>* component = nullptr;

    protected:
        juce::StringArray getLaunchFiles() override  { return {}; }
        void quitApplication() override {}
    };

    juce::Component* findNamed (juce::Component& root, const juce::String& name)
    {
        for (auto* child : root.getChildren())
        {
            if (child->getName() == name)
                return child;
            if (auto* found = findNamed (*child, name))
                return found;
        }
        return nullptr;
    }

    juce::Slider* firstSliderIn (juce::Component& root)
    {
        if (auto* slider = dynamic_cast<juce::Slider*> (&root))
            return slider;
        for (auto* child : root.getChildren())
            if (auto* slider = firstSliderIn (*child))
                return slider;
        return nullptr;
    }

    /** Answers the panel with the type chosen in the pop-up, in folder. */
    ScopedPanelAnswer::Answer choose (ImageSavePanel& panel, Type type, const juce::File& folder)
    {
        panel.fileTypeChanged (type);
        if (type == Type::jpeg2000)
            panel.setQuality (100);   // lossless: the pixels can be compared
        return panel.resultIn (folder);
    }

    /** Every file in folder, names only. */
    juce::StringArray filesIn (const juce::File& folder)
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }

    /** A saved file decoded (JPEG 2000 by its codec: the opener does not read it). */
    PlatformImage readBack (const juce::File& file)
    {
        if (file.hasFileExtension ("jp2"))
        {
            juce::MemoryBlock data;
            if (! file.loadFileAsData (data))
                return {};
            return Jpeg2000Codec::decode (data.getData(), data.getSize()).value_or (PlatformImage());
        }
        return PlatformImageDecoder::decodeFile (file).value_or (PlatformImage());
    }

    void expectDocumentData (const PlatformImage& back)
    {
        EXPECT_NEAR (back.resolutionX, 300.0, 0.01);
        EXPECT_NEAR (back.resolutionY, 300.0, 0.01);
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_0, EXIF_TAG_ORIENTATION), "1");
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_0, EXIF_TAG_MAKE), "Testmaker");
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_0, EXIF_TAG_MODEL), "TM-1");
        EXPECT_EQ (sxtest::exifValue (back.exifBlock, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL), "2021:05:06 07:08:09");
    }

    //==============================================================================
    /** The pass-through main component on the desktop with the translucent photograph open. */
    class SavingPassThrough : public ::testing::Test
    {
    protected:
        static constexpr int width = 2000, height = 1500;

        void SetUp() override
        {
            main.startUp();
            main.createUI();
            main.setBounds (0, 0, 1024, 700);
            main.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
            main.setVisible (true);
            input = std::make_unique<sxgui::PeerInput> (main);

            camera = folders.home().getChildFile ("Camera");
            exports = folders.home().getChildFile ("Exports");
            camera.createDirectory();
            exports.createDirectory();
            photo = writePhotograph (camera.getChildFile ("photo.png"), width, height, true);
            main.openImage (photo, false);
            finishRenders (main);
            ASSERT_NE (main.getWorkingImage(), nullptr);
            ASSERT_EQ (main.getOriginalImage()->width, width);
        }

        void TearDown() override
        {
            effect().hold = false;
            effect().release.signal();
            finishRenders (main);
            main.getImageWriter().waitUntilIdle();
            sxgui::drainMessages();
            input.reset();
            main.removeFromDesktop();
            sxgui::drainMessages();
        }

        PassThroughLayer& effect()  { return *main.effect; }

        juce::Button& saveButton()  { return *dynamic_cast<juce::Button*> (findNamed (main, "savePhotoButton")); }

        /** Clicks the save button and waits for the write. */
        void clickSave()
        {
            input->click (saveButton());
            sxgui::drainMessages();
            main.getImageWriter().waitUntilIdle();
            sxgui::drainMessages();
        }

        ScopedUserFolders folders;
        PassThroughComponent main;
        std::unique_ptr<sxgui::PeerInput> input;
        juce::File camera, exports, photo;
    };
}

TEST_F (SavingPassThrough, EachTypeHoldsTheUprightFullSizePaintingWithTheDocumentsData)
{
    struct Case
    {
        Type type;
        const char* name;
        bool keepsAlpha;
    };
    const Case cases[] = {
        { Type::png,      "photo.png",  true },
        { Type::tiff,     "photo.tiff", true },
        { Type::jpeg2000, "photo.jp2",  true },
        { Type::jpeg,     "photo.jpg",  false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        ScopedPanelAnswer answer ([&] (ImageSavePanel& panel) { return choose (panel, c.type, exports); });
        clickSave();
        ASSERT_EQ (answer.offers.size(), 1u);
        EXPECT_EQ (answer.offers[0].name, "photo.png");
        EXPECT_TRUE (main.notSaved.isEmpty()) << main.notSaved.joinIntoString ("\n");

        const auto back = readBack (exports.getChildFile (c.name));
        ASSERT_EQ (back.width, width);
        ASSERT_EQ (back.height, height);
        expectDocumentData (back);

        // The quadrants upright; the translucent ones kept, or on white in a JPEG.
        const int tolerance = c.type == Type::jpeg ? 6 : 0;
        for (const auto probe : std::initializer_list<juce::Point<int>> { { 300, 300 }, { 1700, 300 }, { 300, 1200 }, { 1700, 1200 } })
        {
            const auto expected = uprightColour (probe.x, probe.y, width, height, true);
            const auto* px = back.getRow (probe.y) + probe.x * 4;
            for (int channel = 0; channel < 3; ++channel)
            {
                const int alpha = expected[3];
                const int wanted = c.keepsAlpha ? expected[(size_t) channel]
                                                : (expected[(size_t) channel] * alpha + 255 * (255 - alpha) + 127) / 255;
                EXPECT_NEAR (px[channel], wanted, tolerance) << "channel " << channel << " at " << probe.x << "," << probe.y;
            }
            EXPECT_EQ (px[3], c.keepsAlpha ? expected[3] : 255) << "at " << probe.x << "," << probe.y;
        }
    }

    // The painting went through the full-size render once per save, each followed by the
    // preview again, and the canvas shows the preview.
    EXPECT_EQ (main.getDocument()->getImage(), main.getLastRenderedImage());
    EXPECT_EQ (main.getDocument()->getImage()->width, main.getWorkingImage()->width);
    EXPECT_FALSE (main.getLayerManager()->isFullResolutionRender());
    EXPECT_FLOAT_EQ (main.getRenderScale(), (float) main.getWorkingImage()->width / 1024.0f);
    EXPECT_TRUE (main.areControlsEnabled());
    EXPECT_FALSE (main.isRendering());
}

TEST_F (SavingPassThrough, WhileTheFullSizeRenderRunsTheCanvasKeepsItsCopyAndAnOpenWaits)
{
    const auto other = rendertest::writePng (camera.getChildFile ("other.png"), 40, 30, juce::Colours::orange);
    auto* previewBefore = main.getDocument()->getImage();

    struct Seen
    {
        juce::String message;
        bool spinning = false, suppressed = false, modal = false, toolbar = true, copied = false;
        int openedWidth = 0;
    } seen;

    effect().hold = true;
    effect().entered.reset();
    juce::MessageManager::callAsync ([&]
    {
        ASSERT_TRUE (effect().entered.wait (60000));
        if (auto* overlay = dynamic_cast<SxActivityContainer*> (juce::Component::getCurrentlyModalComponent()))
        {
            seen.message = overlay->getMessage();
            seen.spinning = overlay->getSpinner().isSpinning();
            seen.modal = overlay->getParentComponent() == main.getDocument();
        }
        seen.suppressed = main.getDocument()->suppressToolPaint;
        seen.toolbar = main.areControlsEnabled();
        seen.copied = main.getDocument()->getImage() != previewBefore
                   && main.getDocument()->getImage()->width == previewBefore->width;

        // A file handed over meanwhile is not opened under the render's feet.
        main.openImage (other, false);
        seen.openedWidth = main.getOriginalImage()->width;

        effect().hold = false;
        effect().release.signal();
    });

    ScopedPanelAnswer cancel ([] (ImageSavePanel&) { return ScopedPanelAnswer::Answer(); });
    main.saveOrApplyImage();

    EXPECT_EQ (seen.message, "Saving...");
    EXPECT_TRUE (seen.spinning);
    EXPECT_TRUE (seen.modal);
    EXPECT_TRUE (seen.suppressed);
    EXPECT_FALSE (seen.toolbar);
    EXPECT_TRUE (seen.copied) << "the canvas shows a copy of its own";
    EXPECT_EQ (seen.openedWidth, width) << "the open waited";

    EXPECT_FALSE (main.getDocument()->suppressToolPaint);
    ASSERT_GE (effect().renderedSizes.size(), 2u);
    EXPECT_EQ (effect().renderedSizes[effect().renderedSizes.size() - 2], width);
    EXPECT_EQ (effect().renderedSizes.back(), main.getWorkingImage()->width);

    // The waiting file opens once the render is over.
    sxgui::drainMessages();
    finishRenders (main);
    EXPECT_EQ (main.getCurrentImageFile(), other);
    EXPECT_EQ (main.getOriginalImage()->width, 40);
    EXPECT_EQ (cancel.offers.size(), 1u);
}

TEST_F (SavingPassThrough, NoImageMeansNoRenderAndNoPanel)
{
    PassThroughComponent empty;
    empty.startUp();
    ScopedPanelAnswer answer ([this] (ImageSavePanel& panel) { return panel.resultIn (exports); });
    EXPECT_EQ (empty.renderHiRes(), nullptr);
    empty.saveOrApplyImage();
    sxgui::drainMessages();
    EXPECT_TRUE (answer.offers.empty());
    EXPECT_FALSE (empty.isRendering());
    EXPECT_TRUE (filesIn (exports).isEmpty());
}

TEST_F (SavingPassThrough, AFullDiskOrAReadOnlyFolderLosesNothingAndSaysSo)
{
    const auto existing = exports.getChildFile ("photo.png");
    ASSERT_TRUE (existing.replaceWithText ("the user's earlier picture"));
    juce::MemoryBlock before;
    ASSERT_TRUE (existing.loadFileAsData (before));
    const auto elsewhere = folders.home().getChildFile ("Elsewhere");
    ASSERT_TRUE (elsewhere.createDirectory());
    auto* source = main.getOriginalImage();
    const auto sourcePixel = source->getPixel (10, 10);

    const auto saveAndExpectNothingLost = [&]
    {
        main.notSaved.clear();
        {
            ScopedPanelAnswer answer ([&] (ImageSavePanel& panel) { return choose (panel, Type::png, exports); });
            clickSave();
        }
        juce::MemoryBlock after;
        ASSERT_TRUE (existing.loadFileAsData (after));
        EXPECT_EQ (after, before) << "the existing file is untouched";
        EXPECT_EQ (filesIn (exports), juce::StringArray ("photo.png")) << "no temporary file";
        ASSERT_EQ (main.notSaved.size(), 1);
        EXPECT_TRUE (main.notSaved[0].startsWith (juce::String (ImageSaveFlow::notSavedTitle) + ": "));
        EXPECT_TRUE (main.notSaved[0].contains ("photo.png")) << main.notSaved[0];
        EXPECT_TRUE (main.notSaved[0].contains (exports.getFullPathName())) << main.notSaved[0];
        EXPECT_EQ (main.getOriginalImage(), source);
        EXPECT_EQ (source->getPixel (10, 10), sourcePixel);
        EXPECT_EQ (main.getDocument()->getImage(), main.getLastRenderedImage());
    };

    const auto saveElsewhere = [&]
    {
        main.notSaved.clear();
        ScopedPanelAnswer retry ([&] (ImageSavePanel& panel) { return choose (panel, Type::png, elsewhere); });
        clickSave();
        EXPECT_TRUE (main.notSaved.isEmpty()) << main.notSaved.joinIntoString ("\n");
        const auto saved = elsewhere.getChildFile ("photo.png");
        EXPECT_EQ (readBack (saved).width, width);
        saved.deleteFile();
    };

    {
        SCOPED_TRACE ("a file size limit");
        {
            const sxtest::ScopedFileSizeLimit limit (4096);
            saveAndExpectNothingLost();
        }
        saveElsewhere();
    }

    if (::geteuid() == 0)
    {
        std::cout << "[ SKIPPED  ] the read-only folder: root writes anywhere\n";
        return;
    }
    {
        SCOPED_TRACE ("a read-only folder");
        ASSERT_EQ (::chmod (exports.getFullPathName().toRawUTF8(), 0555), 0);
        saveAndExpectNothingLost();
        ::chmod (exports.getFullPathName().toRawUTF8(), 0755);
        saveElsewhere();
    }
}

//==============================================================================
TEST (SavingThePainting, TheProductSavesTheWatercolourAtFullSizeAndTheMaskComesBackUnchanged)
{
    ScopedUserFolders folders;
    const auto camera = folders.home().getChildFile ("Camera");
    const auto exports = folders.home().getChildFile ("Exports");
    camera.createDirectory();
    exports.createDirectory();
    constexpr int width = 1200, height = 900;
    const auto photo = writePhotograph (camera.getChildFile ("photo.jpg"), width, height, false);

    auto app = std::make_unique<SavingApplication>();
    app->initialise ({});
    sxgui::drainMessages();
    auto& main = *app->component;
    auto& window = *app->getMainWindow();
    sxgui::PeerInput input (window);

    main.openImage (photo, false);
    finishRenders (main);
    auto* effect = dynamic_cast<StylizedWatercolor*> (main.getLayerManager()->getFirstEffectLayer());
    ASSERT_NE (effect, nullptr);

    // A traced mask, painted through, and a control changed by the user. Many nodes: a
    // mapping there and back in floats moves some of them.
    SelectMaskData mask;
    SxBezierCurve outline;
    for (int k = 1; k <= 60; ++k)
    {
        BezierNode node;
        node.mAnchor.x = 0.37f * (float) (k * 47 % 3000);
        node.mAnchor.y = 0.37f * (float) (k * 31 % 2200);
        outline.appendNode (node);
    }
    mask.curves.push_back (outline);
    effect->maskApplied (mask);
    finishRenders (main);
    const auto maskBefore = effect->getMaskData();

    auto* row = findNamed (main, "outlineSlider");
    ASSERT_NE (row, nullptr);
    auto* slider = firstSliderIn (*row);
    ASSERT_NE (slider, nullptr);
    const auto outlineBefore = effect->getSettings().mOutline;
    slider->setValue (slider->getValue() == slider->getMaximum() ? slider->getMinimum() : slider->getMaximum(), juce::sendNotificationSync);
    finishRenders (main);
    ASSERT_NE (effect->getSettings().mOutline, outlineBefore);

    auto* button = dynamic_cast<juce::Button*> (findNamed (main, "savePhotoButton"));
    ASSERT_NE (button, nullptr);
    for (const auto type : { Type::jpeg, Type::png })
    {
        ScopedPanelAnswer answer ([&] (ImageSavePanel& panel) { return choose (panel, type, exports); });
        input.click (*button);
        sxgui::drainMessages();
        main.getImageWriter().waitUntilIdle();
        sxgui::drainMessages();
        ASSERT_EQ (answer.offers.size(), 1u);
    }
    EXPECT_TRUE (main.notSaved.isEmpty()) << main.notSaved.joinIntoString ("\n");

    for (const char* name : { "photo.jpg", "photo.png" })
    {
        SCOPED_TRACE (name);
        const auto back = readBack (exports.getChildFile (name));
        ASSERT_EQ (back.width, width);
        ASSERT_EQ (back.height, height);
        expectDocumentData (back);
    }

    // The mask exactly as it was, and the canvas on the preview of the working size.
    const auto& maskAfter = effect->getMaskData();
    ASSERT_EQ (maskAfter.curves.size(), 1u);
    for (size_t i = 0; i < maskBefore.curves[0].nodes.size(); ++i)
    {
        EXPECT_EQ (maskAfter.curves[0].nodes[i].mAnchor.x, maskBefore.curves[0].nodes[i].mAnchor.x);
        EXPECT_EQ (maskAfter.curves[0].nodes[i].mAnchor.y, maskBefore.curves[0].nodes[i].mAnchor.y);
    }
    auto* shown = main.getDocument()->getImage();
    ASSERT_NE (shown, nullptr);
    EXPECT_EQ (shown, effect->getOutputImage());
    EXPECT_EQ (shown->width, main.getWorkingImage()->width);
    EXPECT_FALSE (main.getDocument()->suppressToolPaint);
    EXPECT_TRUE (main.areControlsEnabled());

    finishRenders (main);
    app->shutdown();
    app.reset();
    sxgui::drainMessages();
}

TEST_F (SavingPassThrough, AProjectHandedOverDuringTheFullSizeRenderOpensAsAProjectAfterIt)
{
    const auto project = camera.getChildFile ("Painting.kvp");
    ASSERT_TRUE (main.writeProjectFile (project).wasOk());
    const auto photoFile = main.getCurrentImageFile();

    juce::File openDuringRender;
    effect().hold = true;
    effect().entered.reset();
    juce::MessageManager::callAsync ([&]
    {
        ASSERT_TRUE (effect().entered.wait (60000));
        main.openProject (project);
        openDuringRender = main.getCurrentImageFile();
        effect().hold = false;
        effect().release.signal();
    });

    ScopedPanelAnswer cancel ([] (ImageSavePanel&) { return ScopedPanelAnswer::Answer(); });
    main.saveOrApplyImage();
    EXPECT_EQ (openDuringRender, photoFile) << "the project waited for the render";

    sxgui::drainMessages();
    finishRenders (main);
    EXPECT_EQ (main.getCurrentImageFile(), project) << "opened as a project, not as an image";
    EXPECT_EQ (main.getOriginalImage()->width, width);
}
