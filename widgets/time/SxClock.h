#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** The millisecond counter that the kit's animations measure time with (the easing animator,
    the kinetic scroller, the canvas zoom): the framework's counter, unless a test put a
    hand-driven one in its place. */
namespace SxClock
{
    /** Milliseconds on a 32-bit counter that wraps; compare differences only. */
    juce::uint32 getMillisecondCounter();

    /** Replaces the counter; an empty function restores the framework's. Message thread only. */
    void setSource (std::function<juce::uint32()> source);
}
