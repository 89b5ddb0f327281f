#pragma once

#include <juce_core/juce_core.h>

/** One named rectangle of a sprite sheet's image. right and bottom are the last column and
    row inside, so the frame is right - left + 1 pixels wide and bottom - top + 1 high.
*/
struct SpriteFrame
{
    juce::String name;
    float left = 0.0f;
    float top = 0.0f;
    float right = -1.0f;
    float bottom = -1.0f;

    /** right - left + 1. */
    float getWidth() const noexcept { return right - left + 1.0f; }

    /** bottom - top + 1. */
    float getHeight() const noexcept { return bottom - top + 1.0f; }
};
