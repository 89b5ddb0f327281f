#pragma once

#include "WidgetArt.h"

#include <juce_graphics/juce_graphics.h>

/** The kit's pictures, painted at build time (tools/widget-art) and embedded as PNG data.

        auto highlight = SxWidgetArt::get (WidgetArt::menuButtonHover);

    Decoded through the framework's image cache, so every user of a picture shares one image
    while any of them holds it, and images compare equal by identity.
*/
namespace SxWidgetArt
{
    juce::Image get (const WidgetArt::Png& png);
}
