#pragma once

#include "EaseComponentAnimator.h"
#include "HostedTest.h"
#include "ManualClock.h"

/** A hosted test for the panels that slide (alerts, dialogs, slide-ins): the kit's clock
    by hand, and the panel's animator ticked to the end of its slide. */
class SlidingPanelTest : public sxgui::HostedTest
{
protected:
    sxgui::ManualClock clock;

    /** Ticks every 10 ms until the animator stops; the milliseconds that took. */
    int settle (EaseComponentAnimator& animator)
    {
        int ms = 0;
        while (ms < 5000)
        {
            clock.advance (10);
            if (! sxgui::fireTimer (animator))
                break;
            ms += 10;
        }
        return ms;
    }

    /** Runs ms of the animator, tick by tick. */
    void run (EaseComponentAnimator& animator, int ms)
    {
        for (int t = 0; t < ms; t += 10)
        {
            clock.advance (10);
            sxgui::fireTimer (animator);
        }
    }
};
