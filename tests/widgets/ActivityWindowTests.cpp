#include "HostedTest.h"
#include "SxInputCloseComponent.h"
#include "ThreadedActivityWindow.h"

#include <atomic>

#if defined (__SANITIZE_THREAD__)
extern "C" void __tsan_acquire (void*);
extern "C" void __tsan_release (void*);
#endif

namespace
{
    /** A worker that runs until the test releases it, and a timer whose ticks the test counts
        and scripts: onTick runs before the window's own tick. */
    class ScriptedActivity : public ThreadedActivityWindow
    {
    public:
        explicit ScriptedActivity (const juce::String& message, int stopTimeoutMs = 10000)
            : ThreadedActivityWindow (message, stopTimeoutMs) {}

        void run() override
        {
            if (work != nullptr)
                work (*this);

            release.wait (-1);
            sawStopRequest = threadShouldExit();
            ranToEnd = true;
           #if defined (__SANITIZE_THREAD__)
            // The framework (not built for the thread checker) reports the end of the thread
            // through atomics the checker cannot see: say it here.
            __tsan_release (&release);
           #endif
        }

        ~ScriptedActivity() override
        {
           #if defined (__SANITIZE_THREAD__)
            __tsan_acquire (&release);
           #endif
        }

        void timerCallback() override
        {
            ++ticks;
            if (onTick != nullptr)
                onTick (ticks);
            ThreadedActivityWindow::timerCallback();
        }

        /** Lets the worker end and waits until it has, so the coming tick sees it finished. */
        void finishWorker()
        {
            release.signal();
            waitForThreadToExit (-1);
           #if defined (__SANITIZE_THREAD__)
            __tsan_acquire (&release);
           #endif
        }

        std::function<void (ScriptedActivity&)> work;
        std::function<void (int)> onTick;
        juce::WaitableEvent release { true };
        int ticks = 0;
        std::atomic<bool> ranToEnd { false }, sawStopRequest { false };
    };

    /** Collects log lines and can act on one. */
    struct CapturingLogger : public juce::Logger
    {
        CapturingLogger()   { juce::Logger::setCurrentLogger (this); }
        ~CapturingLogger() override  { juce::Logger::setCurrentLogger (nullptr); }

        void logMessage (const juce::String& message) override
        {
            lines.add (message);
            if (onLine != nullptr)
                onLine (message);
        }

        juce::StringArray lines;
        std::function<void (const juce::String&)> onLine;
    };

    struct KeyWatch : public juce::KeyListener
    {
        bool keyPressed (const juce::KeyPress&, juce::Component*) override  { ++keys; return false; }
        int keys = 0;
    };

    bool sameTransform (const juce::AffineTransform& a, const juce::AffineTransform& b)
    {
        const float da[] = { a.mat00, a.mat01, a.mat02, a.mat10, a.mat11, a.mat12 };
        const float db[] = { b.mat00, b.mat01, b.mat02, b.mat10, b.mat11, b.mat12 };
        for (int i = 0; i < 6; ++i)
            if (std::abs (da[i] - db[i]) > 1.0e-3f)
                return false;
        return true;
    }

    class ActivityWindowTest : public sxgui::HostedTest {};
}

TEST_F (ActivityWindowTest, TheOverlayIsModalInTheMiddleOfTheCanvasFromConstruction)
{
    ScriptedActivity activity ("Rendering...");
    auto& overlay = activity.getOverlay();

    EXPECT_EQ (overlay.getParentComponent(), &host.getCanvas());
    EXPECT_LE (overlay.getBounds().getCentre().getDistanceFrom (host.getCanvas().getLocalBounds().getCentre()), 1);
    EXPECT_EQ (overlay.getMessage(), "Rendering...");
    EXPECT_TRUE (overlay.isCurrentlyModal (false));
    EXPECT_FALSE (host.isToolbarEnabled());
    EXPECT_TRUE (host.alertOnBlockedInput());
    EXPECT_FALSE (overlay.hasKeyboardFocus (true));
}

TEST_F (ActivityWindowTest, AWorkerDoneBeforeTheFirstTickEndsTheWaitAtThatTick)
{
    ScriptedActivity activity ("Saving Preset...");
    activity.release.signal();
    activity.onTick = [&activity] (int tick) { if (tick == 1) activity.waitForThreadToExit (-1); };

    EXPECT_TRUE (activity.runModal (5));

    EXPECT_EQ (activity.ticks, 1);
    EXPECT_TRUE (activity.ranToEnd);
    EXPECT_FALSE (activity.isTimerRunning());
    EXPECT_FALSE (activity.getOverlay().isVisible());
    EXPECT_FALSE (activity.getOverlay().isCurrentlyModal (false));
    EXPECT_FALSE (activity.getOverlay().getSpinner().isSpinning());
    EXPECT_EQ (activity.getOverlay().getParentComponent(), &host.getCanvas());   // until destroyed
    EXPECT_TRUE (host.isToolbarEnabled());
}

TEST_F (ActivityWindowTest, AStatusSetBeforeTheWaitShowsForTheWholeWait)
{
    ScriptedActivity activity ("Rendering...");
    activity.setStatusMessage ("Saving...");
    EXPECT_EQ (activity.getOverlay().getMessage(), "Saving...");   // at once

    juce::StringArray shown;
    activity.onTick = [&] (int tick)
    {
        shown.add (activity.getOverlay().getMessage());
        if (tick == 3)
            activity.finishWorker();
    };

    EXPECT_TRUE (activity.runModal (5));
    EXPECT_EQ (shown, juce::StringArray ({ "Saving...", "Saving...", "Saving..." }));
}

TEST_F (ActivityWindowTest, AStatusSetByTheWorkerShowsAtTheNextTick)
{
    ScriptedActivity activity ("Saving Project...");
    juce::WaitableEvent written;
    activity.work = [&written] (ScriptedActivity& self)
    {
        self.setStatusMessage ("Writing layers");
        written.signal();
    };

    juce::String shownAfterTick;
    activity.onTick = [&] (int tick)
    {
        if (tick == 1)
            written.wait (-1);          // the worker has set its text: this tick shows it
        if (tick == 2)
        {
            shownAfterTick = activity.getOverlay().getMessage();
            activity.finishWorker();
        }
    };

    EXPECT_TRUE (activity.runModal (5));
    EXPECT_EQ (shownAfterTick, "Writing layers");
}

TEST_F (ActivityWindowTest, InputDuringTheWaitSoundsAndReachesNothing)
{
    ScriptedActivity activity ("Saving...");
    auto& button = host.getToolbarButton (1);
    KeyWatch keys;
    host.addKeyListener (&keys);

    bool stillModal = false;
    int keyResult = -1;
    activity.onTick = [&] (int tick)
    {
        if (tick == 1)
        {
            input.press (button);
            input.release (button);
            input.click (host.getCanvas(), { 20, 20 });
            input.press (host.getCanvas(), { 20, 20 });
            input.release (host.getToolbar(), { 500, 10 });   // a release elsewhere
            keyResult = input.pressKey (juce::KeyPress ('s', juce::ModifierKeys::ctrlModifier, 's')) ? 1 : 0;
            stillModal = activity.getOverlay().isCurrentlyModal (false);
        }
        if (tick == 2)
            activity.finishWorker();
    };

    EXPECT_TRUE (activity.runModal (5));
    host.removeKeyListener (&keys);

    EXPECT_EQ (host.alertsSounded, 3);          // one per press
    EXPECT_TRUE (host.toolbarClicks.isEmpty());
    EXPECT_TRUE (host.toolbarMouseUps.isEmpty());
    EXPECT_FALSE (host.getCanvas().mouseEvents.contains ("down"));
    EXPECT_FALSE (host.getCanvas().mouseEvents.contains ("up"));
    EXPECT_TRUE (stillModal);                   // nothing outside closes the overlay
    EXPECT_EQ (keyResult, 1);                   // the overlay takes the key...
    EXPECT_EQ (keys.keys, 0);                   // ...and nothing behind it hears it
    EXPECT_EQ (activity.ticks, 2);
    EXPECT_TRUE (host.isToolbarEnabled());

    input.click (button);
    EXPECT_EQ (host.toolbarClicks, juce::StringArray ({ "savePhotoButton" }));
}

TEST_F (ActivityWindowTest, APopUpOpenedDuringTheWaitNeitherEndsNorOutlivesIt)
{
    // Opened and closed during the wait: the wait goes on until the worker has finished.
    {
        ScriptedActivity activity ("Saving...");
        activity.onTick = [&] (int tick)
        {
            if (tick == 1)
            {
                auto* popUp = new SxInputCloseComponent ("aboutBox");
                host.addAndMakeVisible (popUp);
                popUp->setBounds (300, 150, 200, 100);
            }
            if (tick == 2)
            {
                ASSERT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));   // closes the pop-up
            }
            if (tick == 4)
                activity.finishWorker();
        };

        EXPECT_TRUE (activity.runModal (5));
        EXPECT_EQ (activity.ticks, 4);
        EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
        EXPECT_TRUE (host.isToolbarEnabled());
    }

    // Still open when the worker finishes: the wait ends, the pop-up stays modal.
    {
        ScriptedActivity activity ("Saving...");
        juce::Component::SafePointer<juce::Component> popUp;
        activity.onTick = [&] (int tick)
        {
            if (tick == 1)
            {
                popUp = new SxInputCloseComponent ("aboutBox");
                host.addAndMakeVisible (popUp);
                popUp->setBounds (300, 150, 200, 100);
                activity.finishWorker();
            }
        };

        EXPECT_TRUE (activity.runModal (5));
        EXPECT_EQ (activity.ticks, 1);
        ASSERT_NE (popUp, nullptr);
        EXPECT_TRUE (popUp->isCurrentlyModal (false));
        EXPECT_FALSE (host.isToolbarEnabled());

        input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
        EXPECT_EQ (popUp, nullptr);
        EXPECT_TRUE (host.isToolbarEnabled());
    }
}

TEST_F (ActivityWindowTest, ASlowWorkerIsWaitedForNeverKilled)
{
    CapturingLogger log;
    ScriptedActivity activity ("Saving...", 1);

    // The wait ends abnormally at the first tick: something else ends the overlay's modal
    // state while the worker is still busy.
    activity.onTick = [&] (int tick)
    {
        if (tick == 1)
            host.exitModal (&activity.getOverlay());
    };
    // Only once the window has said that it keeps waiting may the worker end.
    log.onLine = [&activity] (const juce::String& line)
    {
        if (line.contains ("still running"))
            activity.release.signal();
    };

    EXPECT_FALSE (activity.runModal (5));

    EXPECT_TRUE (activity.ranToEnd);
    EXPECT_TRUE (activity.sawStopRequest);
    EXPECT_FALSE (activity.isThreadRunning());
    EXPECT_FALSE (log.lines.joinIntoString ("\n").contains ("killing"));
    EXPECT_TRUE (log.lines.joinIntoString ("\n").contains ("still running"));
    EXPECT_TRUE (host.isToolbarEnabled());
}

TEST_F (ActivityWindowTest, AWindowDestroyedWithoutAWaitGivesTheToolbarBack)
{
    {
        ScriptedActivity activity ("Saving...");
        EXPECT_FALSE (host.isToolbarEnabled());
    }

    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    EXPECT_TRUE (host.isToolbarEnabled());
    EXPECT_EQ (host.getCanvas().getNumChildComponents(), 0);
}

TEST_F (ActivityWindowTest, PrioritiesMapOntoTheFrameworksFive)
{
    using P = juce::Thread::Priority;
    const std::pair<int, P> table[] = { { 0, P::background }, { 1, P::background }, { 2, P::low }, { 4, P::low },
                                        { 5, P::normal }, { 6, P::normal }, { 7, P::high }, { 8, P::high },
                                        { 9, P::highest }, { 10, P::highest } };
    for (auto [priority, expected] : table)
        EXPECT_EQ (ThreadedActivityWindow::toThreadPriority (priority), expected) << priority;
}

//==============================================================================
TEST_F (ActivityWindowTest, TheSpinnerTurnsASixteenthPerTickAndWrapsFrom15To0)
{
    ActivityIndicator spinner;
    spinner.setBounds (65, 15, 100, 100);
    spinner.start();
    ASSERT_TRUE (spinner.isSpinning());

    for (int tick = 0; tick < 17; ++tick)
    {
        SCOPED_TRACE (tick);
        EXPECT_EQ (spinner.getStep(), tick % 16);
        spinner.timerCallback();
        const auto expected = juce::AffineTransform::rotation ((float) (tick % 16) * juce::MathConstants<float>::pi / 8.0f, 115.0f, 65.0f);
        EXPECT_TRUE (sameTransform (spinner.getTransform(), expected));
    }

    // Stopped, it keeps its angle; started again, it begins at the first step.
    const auto angle = spinner.getTransform();
    spinner.stop();
    EXPECT_FALSE (spinner.isSpinning());
    EXPECT_TRUE (sameTransform (spinner.getTransform(), angle));
    spinner.start();
    EXPECT_EQ (spinner.getStep(), 0);
}

TEST_F (ActivityWindowTest, AFrozenSpinnerShowsTheStillPictureAndDoesNotTurn)
{
    SxActivityContainer overlay;
    auto& spinner = overlay.getSpinner();
    overlay.startSpinner();
    spinner.timerCallback();
    spinner.timerCallback();
    const auto angle = spinner.getTransform();
    const auto turning = spinner.getShownImage();

    overlay.setSpinnerFrozen (true);
    for (int i = 0; i < 5; ++i)
        spinner.timerCallback();

    EXPECT_TRUE (spinner.isSpinning());                       // the timer still runs...
    EXPECT_TRUE (sameTransform (spinner.getTransform(), angle));   // ...but nothing turns
    EXPECT_EQ (spinner.getStep(), 2);
    EXPECT_FALSE (spinner.getShownImage() == turning);
    EXPECT_EQ (spinner.getShownImage().getWidth(), 130);

    overlay.setSpinnerFrozen (false);
    EXPECT_TRUE (spinner.getShownImage() == turning);
}

//==============================================================================
TEST_F (ActivityWindowTest, TheMainComponentsOwnOverlayShowsCentredAndGoesWhenAWindowStarts)
{
    host.showActivityOverlay ("Rendering...", true, false);
    auto* overlay = host.getActivityOverlay();
    ASSERT_NE (overlay, nullptr);
    EXPECT_EQ (overlay->getParentComponent(), nullptr);      // made, not shown

    host.showActivityOverlay ("Rendering...", false, true);
    EXPECT_EQ (host.getActivityOverlay(), overlay);
    EXPECT_EQ (overlay->getParentComponent(), &host.getCanvas());
    EXPECT_LE (overlay->getBounds().getCentre().getDistanceFrom (host.getCanvas().getLocalBounds().getCentre()), 1);
    EXPECT_EQ (overlay->getMessage(), "Rendering...");
    EXPECT_TRUE (overlay->getSpinner().isFrozen());

    host.showActivityOverlay ("Loading...", true, true);
    EXPECT_FALSE (overlay->getSpinner().isFrozen());
    EXPECT_TRUE (overlay->getSpinner().isSpinning());
    EXPECT_EQ (overlay->getMessage(), "Loading...");

    {
        ScriptedActivity activity ("Saving...");
        EXPECT_EQ (host.getActivityOverlay(), nullptr);
        EXPECT_EQ (host.getCanvas().getNumChildComponents(), 1);   // the window's own
    }

    host.hideActivityOverlay();   // none: nothing happens
    EXPECT_EQ (host.getActivityOverlay(), nullptr);
}
