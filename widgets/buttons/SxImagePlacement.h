#pragma once

#include <juce_graphics/juce_graphics.h>

/** Where an image button draws its picture inside its bounds.

    With the picture rescaled and its proportions kept, a picture is fitted (wholly inside,
    centred or against the left edge) or covers the button (centred; the overflow is cut off
    by the button). Sizes are rounded to the nearest integer with halves going to the even
    one, from single-precision ratios; centring halves cut toward zero. A stretched picture
    fills the button; one that is not rescaled keeps its size, centred.
*/
namespace SxImagePlacement
{
    enum class Fit { centred, leftAligned, cover };
    enum class Scaling { none, stretch, keepProportions };

    juce::Rectangle<int> place (Fit fit, Scaling scaling, juce::Point<int> imageSize, juce::Point<int> buttonSize);
}
