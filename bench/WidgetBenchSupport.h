#pragma once

// What the widget kit's benchmarks share: the framework's GUI started once, and the kit
// clock moved by hand.

#include "SxClock.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace WidgetBench
{
    /** Starts the framework's GUI side once per program. */
    inline void startGui()
    {
        static const juce::ScopedJuceInitialiser_GUI gui;
    }

    /** The kit clock, moved by hand for as long as it lives. */
    struct HandClock
    {
        HandClock()   { SxClock::setSource ([this] { return now; }); }
        ~HandClock()  { SxClock::setSource (nullptr); }
        juce::uint32 now = 100000;
    };
}
