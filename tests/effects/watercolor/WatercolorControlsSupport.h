#pragma once

#include "AbstractWaterColor.h"
#include "FindNamed.h"
#include "HostedTest.h"
#include "ManualClock.h"
#include "MessagePump.h"
#include "StandInImageList.h"
#include "StylizedWatercolor.h"
#include "SxLayoutController.h"
#include "SxMainTabComponent.h"
#include "SxMainTabController.h"
#include "SxScroller.h"
#include "WatercolorTestSupport.h"

#include <map>

namespace watercolourcontrols
{
    /** The host's side of a layer: undo snapshots and tool deselections. */
    struct RecordingHost : public LayerCallback
    {
        int undoRecords = 0;
        int toolDeselections = 0;
        void recordUndoState() override          { ++undoRecords; }
        void selectTool (SxTool* tool) override  { toolDeselections += tool == nullptr ? 1 : 0; }
    };

    /** The component names of the control changes a layer heard, in order. */
    struct ChangeLog
    {
        virtual ~ChangeLog() = default;
        juce::StringArray changes;
    };

    /** An effect that logs the component name of every control change it hears. */
    template <typename Effect>
    struct Recording : public Effect,
                       public ChangeLog
    {
        void controlChanged (juce::Component* c) override
        {
            changes.add (c != nullptr ? c->getName() : juce::String ("null"));
            Effect::controlChanged (c);
        }
    };

    using RecordingStylized = Recording<StylizedWatercolor>;
    using RecordingAbstract = Recording<AbstractWaterColor>;

    inline juce::StringArray& changesOf (StylizedWatercolor& layer)  { return dynamic_cast<ChangeLog&> (layer).changes; }

    using sxgui::findNamed;

    /** Settings that never change between runs: the reset values on a paper background. */
    inline void useKnownSettings (WatercolorSettings& settings)
    {
        settings = WatercolorSettings();
        settings.edgeFileName = "Quenza-01";
        settings.borderFileName = "border-01";
    }

    /** The effect panel of the window with a layer's pages in it, as the main component
        shows them, and the stand-ins for the paper and border pickers. */
    class ControlsTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            host.getEffectPanel().addAndMakeVisible (pageHost);
            pageHost.setBounds (0, 30, HostWindow::effectPanelWidth, host.getEffectPanel().getHeight() - 30);
        }

        void TearDown() override
        {
            pageHost.clearPages();
            host.getEffectPanel().removeChildComponent (&pageHost);
            HostedTest::TearDown();
        }

        using HostWindow = sxgui::HostWindow;

        /** Builds the layer's controls and shows them in the effect panel. */
        void show (StylizedWatercolor& layer)
        {
            pageHost.clearPages();
            layer.setCallback (&recorder);
            layer.buildControls();
            pageHost.showLayerPages (layer);
        }

        static SxMainTabComponent& pageOf (Layer& layer)  { return *layer.getControlTabs().front(); }

        /** The page's row (or half of a row) named name; null when none. */
        static juce::Component* row (Layer& layer, const juce::String& name)
        {
            return findNamed<juce::Component> (*pageOf (layer).getController(), name);
        }

        /** Completes every running row change and content resize at once. */
        static void settle (Layer& layer)
        {
            pageOf (layer).getController()->finishAnimations();
            pageOf (layer).getAnimator().cancelAllAnimations (true);
        }

        /** Scrolls the page so c is in view, 60 pixels below the top. */
        static void scrollTo (Layer& layer, juce::Component& c)
        {
            auto& page = pageOf (layer);
            auto* content = page.getContent();
            const auto y = content->getLocalPoint (&c, juce::Point<int>()).y;
            page.getScroller()->setViewPosition (0, juce::jmax (0, y - 60));
        }

        /** Plays a row change on the hand clock: each timer of the layout controller fires
            once its interval has passed; the animators move every 10 ms. Returns the time
            the change took. */
        int playRowChange (Layer& layer)
        {
            auto& page = pageOf (layer);
            auto* controller = page.getController();
            std::map<int, int> due;
            int elapsed = 0;

            for (; elapsed < 3000; elapsed += 10)
            {
                bool running = false;

                for (const int id : { SxLayoutController::swapTimerId, SxLayoutController::fadeInTimerId,
                                      SxLayoutController::relayoutTimerId, SxLayoutController::finishTimerId })
                {
                    if (! controller->isTimerRunning (id))
                    {
                        due.erase (id);
                        continue;
                    }
                    running = true;
                    if (! due.contains (id))
                        due[id] = elapsed + controller->getTimerInterval (id);
                    if (elapsed >= due[id])
                    {
                        due.erase (id);
                        sxgui::fireTimer (*controller, id);
                    }
                }

                const bool moving = sxgui::fireTimer (controller->getAnimator()) | sxgui::fireTimer (page.getAnimator());
                if (! running && ! moving)
                    break;

                clock.advance (10);
            }
            return elapsed;
        }

        ScopedArchiveNames archiveNames;
        sxgui::ScopedStandInPickers pickers;
        sxgui::ManualClock clock;
        RecordingHost recorder;
        SxMainTabController pageHost;
    };
}
