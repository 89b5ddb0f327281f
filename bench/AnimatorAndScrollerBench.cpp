// The widget kit's motion: one tick of the easing animator with 100 components on the move,
// and a whole fling of the kinetic scroller over a list of 2,000 rows. Components are not on
// screen, so the figures are the kit's own work plus the framework's bounds bookkeeping,
// without painting. Needs an X display (run under xvfb-run).

#include "EaseComponentAnimator.h"
#include "SxComponent.h"
#include "SxScroller.h"
#include "WidgetBenchSupport.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{
    using WidgetBench::startGui;
    using WidgetBench::HandClock;

    void BM_AnimatorTickWith100RunningTasks (benchmark::State& state)
    {
        startGui();
        HandClock clock;
        constexpr int numItems = 100;

        juce::Component panel;
        panel.setSize (1200, 800);
        std::vector<std::unique_ptr<juce::Component>> items;
        for (int i = 0; i < numItems; ++i)
        {
            items.push_back (std::make_unique<juce::Component>());
            panel.addAndMakeVisible (*items.back());
        }

        EaseComponentAnimator animator;

        // Ten seconds across the panel on every curve: each tick moves every component a
        // pixel or two. Curves that overshoot end early; then all start again.
        auto startAll = [&]
        {
            for (int i = 0; i < numItems; ++i)
            {
                items[(size_t) i]->setBounds ((i * 37) % 200, (i * 53) % 600, 60, 30);
                animator.animateComponent (items[(size_t) i].get(), { 900 + (i * 37) % 200, 700 - (i * 53) % 600, 90, 40 },
                                           10000, false, i % 18, 1.0f, 0.5, 0.5);
            }
        };

        startAll();
        int restarts = 0;

        for (auto _ : state)
        {
            clock.now += 10;
            animator.timerCallback();

            if (animator.getNumTasks() < numItems)
            {
                state.PauseTiming();
                animator.cancelAllAnimations (false);
                startAll();
                ++restarts;
                state.ResumeTiming();
            }
        }

        state.counters["tasks"] = numItems;
        state.counters["restarts"] = restarts;
    }

    juce::MouseEvent pointerAt (juce::Component& scroller, float y, juce::int64 ms, float downY)
    {
        return { juce::Desktop::getInstance().getMainMouseSource(), { 150.0f, y }, juce::ModifierKeys::leftButtonModifier,
                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &scroller, &scroller,
                 juce::Time (ms), { 150.0f, downY }, juce::Time (ms), 1, false };
    }

    void BM_FlingOver2000Rows (benchmark::State& state)
    {
        startGui();
        HandClock clock;
        constexpr int numRows = 2000, rowHeight = 40;

        SxScroller scroller ("list");
        scroller.horizontal = false;
        scroller.setScrollBarThickness (10);
        auto* content = new SxComponent ("rows");
        content->setSize (300, numRows * rowHeight);
        for (int i = 0; i < numRows; ++i)
        {
            auto* row = new juce::Component();
            content->addAndMakeVisible (row);
            row->setBounds (0, i * rowHeight, 300, rowHeight);
        }
        scroller.setViewedComponent (content, true);
        scroller.setBounds (0, 0, 300, 600);

        // A quick flick: 60 px in 20 ms (3 px/ms) from the middle of the list.
        juce::int64 ticks = 0, flings = 0;

        for (auto _ : state)
        {
            state.PauseTiming();
            scroller.setViewPosition (0, numRows * rowHeight / 2);
            const juce::int64 t = clock.now;
            scroller.mouseDown (pointerAt (scroller, 400.0f, t, 400.0f));
            scroller.mouseDrag (pointerAt (scroller, 340.0f, t + 20, 400.0f));
            scroller.mouseUp (pointerAt (scroller, 340.0f, t + 20, 400.0f));
            state.ResumeTiming();

            while (scroller.isTimerRunning (SxScroller::flingTimerId))
            {
                scroller.timerCallback (SxScroller::flingTimerId);
                ++ticks;
            }

            ++flings;
        }

        state.counters["ticksPerFling"] = flings > 0 ? (double) ticks / (double) flings : 0.0;
        state.counters["perTick"] = benchmark::Counter ((double) ticks, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        state.counters["distance"] = scroller.getViewPositionY() - numRows * rowHeight / 2;
    }
}

BENCHMARK (BM_AnimatorTickWith100RunningTasks);
BENCHMARK (BM_FlingOver2000Rows)->Unit (benchmark::kMicrosecond);
