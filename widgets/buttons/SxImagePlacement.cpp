#include "SxImagePlacement.h"

#include <cmath>

namespace
{
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    int nearest (float v)
    {
        return (int) std::nearbyint (v);
    }
}

namespace SxImagePlacement
{
    juce::Rectangle<int> place (Fit fit, Scaling scaling, juce::Point<int> imageSize, juce::Point<int> buttonSize)
    {
        const int iw = imageSize.x, ih = imageSize.y, w = buttonSize.x, h = buttonSize.y;

        if (scaling == Scaling::none)
            return { (w - iw) / 2, (h - ih) / 2, iw, ih };

        if (scaling == Scaling::stretch || iw <= 0 || ih <= 0 || w <= 0 || h <= 0)
            return { 0, 0, w, h };

        const float imageRatio = (float) ih / (float) iw;
        const float buttonRatio = (float) h / (float) w;
        // Fitting keeps the whole picture inside: the taller shape decides. Covering fills the
        // button: the other way round.
        const bool matchHeight = fit == Fit::cover ? buttonRatio > imageRatio : imageRatio > buttonRatio;
        const int width = matchHeight ? nearest ((float) h / imageRatio) : w;
        const int height = matchHeight ? h : nearest (imageRatio * (float) w);

        const int x = fit == Fit::leftAligned ? 0 : (w - width) / 2;
        return { x, (h - height) / 2, width, height };
    }
}
