#pragma once

#include "SxActivityContainer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** Long work on a worker thread while the message thread waits behind a busy overlay.

    A subclass stores the inputs of its work, provides run (on the worker: it must not touch
    components) and leaves its results in its own fields:

        SaveProjectActivity save (project, file);   // passes "Saving Project..." and 10000
        save.setStatusMessage ("Saving...");        // optional
        if (save.runModal (5)) ...read the results...

    Construction puts the overlay in the middle of the document canvas and makes it modal
    through the main component (toolbar off, a press elsewhere sounds the alert); runModal
    starts the worker, waits in a modal loop on the overlay's own modal state while the
    application keeps running its events and timers, and tears the overlay down. A 50 ms
    timer shows the status text while the worker runs and ends the wait at the first tick
    after it finished.

    The worker is never killed: stopping it signals threadShouldExit and waits, logging each
    stopTimeoutMs that it is still running, until run returns. So when runModal returns (and
    when the window is destroyed) run has ended and the subclass's fields are safe to read.

    The status text may be set from any thread; it is kept under a lock and shown at once
    when set on the message thread, otherwise by the next tick. Everything else runs on the
    message thread.
*/
class ThreadedActivityWindow : public juce::Thread,
                               public juce::Timer
{
public:
    ThreadedActivityWindow (const juce::String& message, int stopTimeoutMs);
    /** Stops the worker (never by force), then deletes the overlay. */
    ~ThreadedActivityWindow() override;

    /** The worker's body. */
    void run() override = 0;

    /** Every 50 ms while waiting: shows the status text, and once the worker has finished
        ends the overlay's modal state (which ends the wait), hides it and stops. */
    void timerCallback() override;

    /** The framework thread at its default priority. */
    virtual bool startThread();
    /** The framework thread at priority 0-10 (see toThreadPriority). */
    virtual bool startThreadWithPriority (int priority);

    /** Replaces the status text; shown at once on the message thread, else within 50 ms. */
    void setStatusMessage (const juce::String& text);
    juce::String getStatusMessage() const;

    /** Starts the worker at priority (every caller passes 5), waits until it has finished,
        hides the overlay and leaves its modal state. True when the wait ended because the
        worker finished; false when it ended otherwise (the application quitting, the overlay
        taken out of the modal state by someone else), in which case the worker has still
        been waited for. */
    bool runModal (int priority);

    /** The overlay; it stays a hidden child of the canvas from the end of runModal until the
        window is destroyed. */
    SxActivityContainer& getOverlay() const noexcept  { return *overlay; }

    /** 0-1: background, 2-4: low, 5-6: normal, 7-8: high, 9-10: highest. */
    static juce::Thread::Priority toThreadPriority (int priority) noexcept;

private:
    std::unique_ptr<SxActivityContainer> overlay;
    juce::String statusMessage;
    juce::CriticalSection messageLock;
    const int stopTimeoutMs;
    bool finishedSeen = false;

    void showStatusMessage();
    void waitForWorker();
    void leaveModalState();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ThreadedActivityWindow)
};
