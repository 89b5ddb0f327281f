#include "ManualClock.h"
#include "PeerInput.h"
#include "RenderFlowTestSupport.h"
#include "ScopedUserFolders.h"
#include "StaticImageLayer.h"
#include "SxActivityContainer.h"

#include <gtest/gtest.h>

using rendertest::finishRenders;

namespace
{
    constexpr uint32_t red = 0x0000ffffu, blue = 0xff0000ffu, green = 0x00ff00ffu;

    /** Collects what is written to the framework's log while it lives. */
    struct LogCapture : public juce::Logger
    {
        LogCapture()   { juce::Logger::setCurrentLogger (this); }
        ~LogCapture() override  { juce::Logger::setCurrentLogger (nullptr); }
        void logMessage (const juce::String& message) override  { lines.add (message); }
        juce::StringArray lines;
    };

    /** The gated main component on the desktop with a 64 x 48 image open and rendered. */
    class PreviewRenderFlow : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            input = rendertest::startOnDesktop (main);

            photo = rendertest::writePng (folders.getRoot().getChildFile ("photo.png"), 64, 48, juce::Colours::grey);
            main.openImage (photo, false);
            finishRenders (main);
            ASSERT_EQ (main.shownImage()->getPixel (0, 0), red);
        }

        void TearDown() override
        {
            gate().hold = false;
            gate().release.signal();
            finishRenders (main);
            input.reset();
            main.removeFromDesktop();
            sxgui::drainMessages();
        }

        rendertest::GateLayer& gate()  { return *main.gate; }

        /** Starts a render that waits in the gate until release. */
        void startHeldRender (bool showBusy)
        {
            gate().hold = true;
            gate().entered.reset();
            gate().setNeedsRender (true);
            main.requestRender (showBusy, nullptr);
            ASSERT_NE (main.getRenderThread(), nullptr);
            ASSERT_TRUE (gate().entered.wait (60000));
        }

        void release()
        {
            gate().hold = false;
            gate().release.signal();
        }

        juce::Button* child (const juce::String& name)
        {
            for (auto* c : main.getChildren())
                if (c->getName() == name)
                    return dynamic_cast<juce::Button*> (c);
            return nullptr;
        }

        ScopedUserFolders folders;
        rendertest::GatedComponent main;
        std::unique_ptr<sxgui::PeerInput> input;
        juce::File photo;
    };
}

TEST_F (PreviewRenderFlow, RenderScaleFollowsTheBaseLayersImage)
{
    rendertest::GatedComponent fresh;
    fresh.startUp();
    EXPECT_EQ (fresh.getRenderScale(), 1.0f);   // no image open

    // The 64 x 48 photograph's working copy is 1301 wide.
    EXPECT_FLOAT_EQ (main.getRenderScale(), 1301.0f / 1024.0f);

    SxRef<SxImageRgbaBytes> large (new SxImageRgbaBytes (1600, 1200));
    auto* base = dynamic_cast<StaticImageLayer*> (main.getLayerManager()->getLayer (0));
    ASSERT_NE (base, nullptr);
    base->setSourceImage (large.get());
    EXPECT_FLOAT_EQ (main.getRenderScale(), 1.5625f);
    base->setSourceImage (main.getWorkingImage());
}

TEST_F (PreviewRenderFlow, ARequestDuringARenderIsDroppedThenRenderedOnTheWorker)
{
    startHeldRender (true);
    auto* running = main.getRenderThread();
    EXPECT_TRUE (main.isRendering());

    // A programmatic change while the worker renders: marked, requested, dropped.
    gate().colour = blue;
    gate().parametersChanged (nullptr);
    EXPECT_EQ (main.getRenderThread(), running);
    EXPECT_EQ (main.shownImage()->getPixel (0, 0), red);

    release();
    finishRenders (main);

    EXPECT_FALSE (main.isRendering());
    EXPECT_EQ (main.shownImage()->getPixel (0, 0), blue);
    EXPECT_EQ (main.shownImage(), main.getLastRenderedImage());
    // Two worker renders (the held one and the one after it); none on the message thread.
    EXPECT_EQ (gate().rendersOnThisThread(), 0);
    EXPECT_EQ (main.getActivityOverlay(), nullptr);
    EXPECT_TRUE (main.areControlsEnabled());
}

TEST_F (PreviewRenderFlow, ADroppedRequestWithNothingMarkedRendersNothingMore)
{
    startHeldRender (true);
    const auto before = gate().threads().size();
    main.renderNow();   // nothing changed
    release();
    finishRenders (main);
    EXPECT_EQ (gate().threads().size(), before);
    EXPECT_EQ (main.shownImage()->getPixel (0, 0), red);
}

TEST_F (PreviewRenderFlow, TheOverlayIsModalAndBlocksInputAlsoWhenNotShown)
{
    for (const bool showBusy : { true, false })
    {
        SCOPED_TRACE (showBusy ? "shown" : "out of sight");
        startHeldRender (showBusy);

        auto* overlay = main.getActivityOverlay();
        ASSERT_NE (overlay, nullptr);
        EXPECT_TRUE (overlay->isCurrentlyModal (false));
        EXPECT_EQ (overlay->getParentComponent(), main.getDocument());
        EXPECT_EQ (! overlay->getBounds().isEmpty(), showBusy);
        if (showBusy)
        {
            EXPECT_EQ (overlay->getMessage(), "Rendering...");
        }
        EXPECT_FALSE (main.areControlsEnabled());
        EXPECT_FALSE (child ("savePhotoButton")->isEnabled());
        EXPECT_TRUE (child ("getPhotoButton")->isEnabled());

        // The tab that slides the effect panel in does not hear the click.
        auto* show = child ("leftArrowButton");
        ASSERT_NE (show, nullptr);
        input->click (*show);
        EXPECT_FALSE (main.getEffectPanelAnimator().isAnimating (main.getEffectPanel()));

        release();
        finishRenders (main);
        EXPECT_EQ (main.getActivityOverlay(), nullptr);
        EXPECT_TRUE (main.areControlsEnabled());
        EXPECT_TRUE (child ("savePhotoButton")->isEnabled());
    }
}

TEST_F (PreviewRenderFlow, ARegionRenderDuringARenderChangesNothing)
{
    startHeldRender (true);
    auto* shown = main.shownImage();
    const auto renders = gate().threads().size();

    gate().colour = green;
    gate().setNeedsRender (true);
    main.renderRegionNow ({ 0.0f, 0.0f, 10.0f, 10.0f }, false);

    EXPECT_EQ (main.shownImage(), shown);
    EXPECT_EQ (main.shownImage()->getPixel (0, 0), red);
    EXPECT_EQ (gate().threads().size(), renders);
    gate().setNeedsRender (false);
    gate().colour = red;
}

TEST_F (PreviewRenderFlow, ARegionRenderWhenIdleRendersAtOnceOnTheMessageThread)
{
    gate().colour = green;
    gate().setNeedsRender (true);
    main.renderRegionNow ({ 0.0f, 0.0f, 10.0f, 10.0f }, false);
    EXPECT_EQ (main.getRenderThread(), nullptr);
    EXPECT_EQ (gate().rendersOnThisThread(), 1);
    EXPECT_EQ (main.shownImage()->getPixel (0, 0), green);
}

TEST_F (PreviewRenderFlow, EachCompletedRenderLogsItsTotalTime)
{
    sxgui::ManualClock clock;
    LogCapture log;

    startHeldRender (true);
    clock.advance (2500);
    release();
    finishRenders (main);

    EXPECT_TRUE (log.lines.contains ("Total: 2.500000 Render Complete")) << log.lines.joinIntoString ("\n");
}

TEST_F (PreviewRenderFlow, AnImageHandedOverDuringARenderOpensWhenItEnds)
{
    const auto second = rendertest::writePng (folders.getRoot().getChildFile ("second.png"), 30, 60, juce::Colours::white);
    startHeldRender (true);
    auto* working = main.getWorkingImage();

    main.openImage (second, false);
    EXPECT_EQ (main.getWorkingImage(), working);
    EXPECT_EQ (main.getCurrentImageFile(), photo);

    release();
    finishRenders (main);
    EXPECT_EQ (main.getCurrentImageFile(), second);
    ASSERT_NE (main.getWorkingImage(), nullptr);
    EXPECT_EQ (main.getWorkingImage()->height, 1301);
    EXPECT_EQ (main.shownImage()->height, 1301);
    EXPECT_EQ (main.shownImage()->getPixel (0, 0), red);
}

TEST_F (PreviewRenderFlow, ATimerOrProgrammaticRenderWithoutAnImageDoesNothing)
{
    rendertest::GatedComponent fresh;
    fresh.startUp();
    fresh.createUI();
    fresh.renderNow();
    fresh.renderRegionNow ({ 0.0f, 0.0f, 4.0f, 4.0f }, false);
    EXPECT_EQ (fresh.getRenderThread(), nullptr);
    EXPECT_FALSE (fresh.isRendering());
    EXPECT_EQ (fresh.getActivityOverlay(), nullptr);
}

TEST (PreviewRenderFlowLifetime, AComponentGoingDuringARenderWaitsForItAndIgnoresItsCompletion)
{
    ScopedUserFolders folders;
    const auto photo = rendertest::writePng (folders.getRoot().getChildFile ("photo.png"), 40, 40, juce::Colours::grey);

    auto main = std::make_unique<rendertest::GatedComponent>();
    main->startUp();
    main->createUI();
    auto* gate = main->gate;
    gate->hold = true;
    main->openImage (photo, false);
    ASSERT_TRUE (gate->entered.wait (60000));

    // Released just before the component goes: its destructor waits for the render.
    gate->hold = false;
    gate->release.signal();
    main.reset();

    sxgui::drainMessages();   // the completion finds no component: nothing happens
    EXPECT_EQ (GenericAppComponent::getInstance(), nullptr);
}
