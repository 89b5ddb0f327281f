// A control page of 40 rows (30 single sliders, 5 pairs of sliders, 5 segment rows): the layout
// pass with the content resize, the animated relayout after a row is hidden (starting the
// moves, and the whole 300 ms of them on the hand clock), and one update that re-reads every
// bound slider. The page is not on screen, so the figures are the kit's own work plus the
// framework's bounds bookkeeping, without painting. Needs an X display (run under xvfb-run).

#include "SegmentController.h"
#include "SxLabelSlider.h"
#include "SxLayoutComponent.h"
#include "SxLayoutController.h"
#include "WidgetBenchSupport.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace
{
    using WidgetBench::startGui;
    using WidgetBench::HandClock;

    /** 40 rows bound to 40 model fields, laid out once. */
    struct FortyRowPage
    {
        FortyRowPage()
        {
            page.setBounds (0, 0, 256, 600);
            page.build (5, 3);
            const int width = page.getController()->getWidth();
            size_t field = 0;

            auto slider = [&] (const juce::String& name)
            {
                auto* row = new SxLabelSlider (name, &page, name, false);
                row->setSize (width, 44);
                row->setValuePointer (&fields[field++]);
                return row;
            };

            for (int i = 0; i < 40; ++i)
            {
                const juce::String name ("row" + juce::String (i));

                if (i % 8 == 3)
                {
                    page.addItemPair (slider (name + "a"), slider (name + "b"), false);
                }
                else if (i % 8 == 6)
                {
                    auto* segments = new SegmentController (true);
                    for (auto* text : { "Dark", "Mid", "Light", "Full" })
                        segments->addSegments (text, 1);
                    segments->setSize (width, 27);
                    segments->build();
                    page.addItem (segments);
                }
                else
                {
                    page.addItem (slider (name));
                }

                rows[(size_t) i] = page.getController()->getItems().back();
            }

            for (size_t i = 0; i < fields.size(); ++i)
                fields[i] = (float) i / (float) fields.size();

            page.layoutItems();
        }

        /** Lays the page out with row 1 shown, then hides row 1: the 38 rows below it are
            54 pixels below their places. */
        void putRowsBelowRowOneOutOfPlace()
        {
            auto* row = rows[1];
            row->setAlpha (1.0f);
            row->setVisible (true);
            page.layoutItems();
            row->setAlpha (0.0f);
            row->setVisible (false);
        }

        SxLayoutComponent page { false, true };
        std::array<float, 45> fields {};
        std::array<juce::Component*, 40> rows {};
    };

    void BM_LayoutPassOf40Rows (benchmark::State& state)
    {
        startGui();
        FortyRowPage fixture;

        for (auto _ : state)
            fixture.page.layoutItems();

        state.counters["stackHeight"] = fixture.page.getController()->getStackHeight();
    }

    void BM_AnimatedRelayoutOf40RowsStart (benchmark::State& state)
    {
        startGui();
        HandClock clock;
        FortyRowPage fixture;
        auto& controller = *fixture.page.getController();

        for (auto _ : state)
        {
            state.PauseTiming();
            controller.getAnimator().cancelAllAnimations (false);
            fixture.putRowsBelowRowOneOutOfPlace();
            state.ResumeTiming();

            controller.relayoutAnimated (300, 10);
        }

        state.counters["moving"] = controller.getAnimator().getNumTasks();
    }

    void BM_AnimatedRelayoutOf40RowsWholeRun (benchmark::State& state)
    {
        startGui();
        HandClock clock;
        FortyRowPage fixture;
        auto& controller = *fixture.page.getController();
        auto& animator = controller.getAnimator();
        juce::int64 ticks = 0, runs = 0;

        for (auto _ : state)
        {
            state.PauseTiming();
            fixture.putRowsBelowRowOneOutOfPlace();
            state.ResumeTiming();

            controller.relayoutAnimated (300, 10);
            while (animator.isTimerRunning())
            {
                clock.now += 10;
                animator.timerCallback();
                ++ticks;
            }
            ++runs;
        }

        state.counters["ticksPerRun"] = runs > 0 ? (double) ticks / (double) runs : 0.0;
        state.counters["perTick"] = benchmark::Counter ((double) ticks, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }

    void BM_UpdateOf40Rows (benchmark::State& state)
    {
        startGui();
        FortyRowPage fixture;
        int round = 0;

        for (auto _ : state)
        {
            // Every field changes, so every slider really moves.
            state.PauseTiming();
            ++round;
            for (size_t i = 0; i < fixture.fields.size(); ++i)
                fixture.fields[i] = (float) ((i + (size_t) round) % fixture.fields.size()) / (float) fixture.fields.size();
            state.ResumeTiming();

            fixture.page.update();
        }

        state.counters["controls"] = (double) fixture.page.getControls().size();
    }
}

BENCHMARK (BM_LayoutPassOf40Rows)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_AnimatedRelayoutOf40RowsStart)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_AnimatedRelayoutOf40RowsWholeRun)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_UpdateOf40Rows)->Unit (benchmark::kMicrosecond);
