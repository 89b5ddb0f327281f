#include "SxClock.h"

namespace
{
    std::function<juce::uint32()>& source()
    {
        static std::function<juce::uint32()> current;
        return current;
    }
}

namespace SxClock
{
    juce::uint32 getMillisecondCounter()
    {
        auto& s = source();
        return s != nullptr ? s() : juce::Time::getMillisecondCounter();
    }

    void setSource (std::function<juce::uint32()> newSource)
    {
        source() = std::move (newSource);
    }
}
