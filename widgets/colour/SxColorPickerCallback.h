#pragma once

#include <juce_core/juce_core.h>

namespace juce { class Component; }

/** How a colour picker tells its owner about a new colour.

    colourWord holds the bytes alpha, red, green, blue in memory order (see SxColorComponent);
    its alpha is 255 unless the picker shows alpha. Receivers are never deleted through this
    interface, hence the protected destructor.
*/
class SxColorPickerCallback
{
public:
    virtual void colourChanged (juce::Component* picker, juce::uint32 colourWord) {}

protected:
    ~SxColorPickerCallback() = default;
};
