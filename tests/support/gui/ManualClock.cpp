#include "ManualClock.h"

#include "SxClock.h"

namespace sxgui
{
    ManualClock::ManualClock (juce::uint32 start)
        : current (start)
    {
        SxClock::setSource ([this] { return current; });
    }

    ManualClock::~ManualClock()
    {
        SxClock::setSource (nullptr);
    }
}
