#pragma once

#include <juce_core/juce_core.h>

namespace sxgui
{
    /** Puts a counter that moves only when told in place of SxClock's, for as long as it
        lives. It starts well above 0, since the kit takes 0 for "not started yet". */
    class ManualClock
    {
    public:
        explicit ManualClock (juce::uint32 start = 100000);
        ~ManualClock();

        void advance (juce::uint32 milliseconds) noexcept  { current += milliseconds; }
        juce::uint32 now() const noexcept                   { return current; }

    private:
        juce::uint32 current;

        JUCE_DECLARE_NON_COPYABLE (ManualClock)
    };
}
