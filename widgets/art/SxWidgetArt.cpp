#include "SxWidgetArt.h"

namespace SxWidgetArt
{
    juce::Image get (const WidgetArt::Png& png)
    {
        return juce::ImageCache::getFromMemory (png.data, png.size);
    }
}
