#pragma once

#include <juce_events/juce_events.h>

/** Message-thread work under the test's control: no waiting, no sleeping.

    Timers are driven by hand: set the scene up so a timer is running, check isTimerRunning,
    and call its callback with fireTimer, as the interval elapsing would. Combine with
    ManualClock when the callback measures elapsed time.
*/
namespace sxgui
{
    /** Dispatches the messages already posted (async calls, repaints, window events) and
        returns as soon as none is pending. A timer that came due meanwhile may fire too. */
    void drainMessages();

    /** Runs timer's callback once when it is running; false, running nothing, otherwise. */
    bool fireTimer (juce::Timer& timer);

    /** Runs the callback of timerID once when that timer is running; false otherwise. */
    bool fireTimer (juce::MultiTimer& timer, int timerID);
}
