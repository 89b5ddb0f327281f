#include "MessagePump.h"

namespace juce
{
    // The framework's own one-step dispatch (exported by its Linux message loop).
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace sxgui
{
    void drainMessages()
    {
        // Bounded, so a component that keeps posting to itself fails a test instead of hanging it.
        for (int i = 0; i < 10000; ++i)
            if (! juce::dispatchNextMessageOnSystemQueue (true))
                return;
    }

    bool fireTimer (juce::Timer& timer)
    {
        if (! timer.isTimerRunning())
            return false;

        timer.timerCallback();
        return true;
    }

    bool fireTimer (juce::MultiTimer& timer, int timerID)
    {
        if (! timer.isTimerRunning (timerID))
            return false;

        timer.timerCallback (timerID);
        return true;
    }
}
