#pragma once

#include <juce_core/juce_core.h>

#include <vector>

/** The text that names the frames of a brush atlas, written by the resource generator and
    read by the sprite sheets: a property list (SxPropertySet's XML form) with the key
    "count" and, for n = 1 ... count, "<n>_name", "<n>_x", "<n>_y", "<n>_width" and
    "<n>_height". Frames are numbered from 1 in the text and from 0 in the lists here.
*/
namespace SpriteFrameDescription
{
    /** One frame as the text holds it: the top-left corner and the size, in pixels. */
    struct Entry
    {
        juce::String name;
        double x = 0.0, y = 0.0, width = 0.0, height = 0.0;
    };

    /** The description of the entries in order. Whole numbers are written as integers. */
    juce::String write (const std::vector<Entry>& entries);

    /** The frames the text describes, in number order: those numbered 1 ... trunc(count)
        that have a width key (a frame without one would be empty); a missing name or
        coordinate reads as empty or 0. Nothing for text that is not a property list, has
        no "count" or a count below 1. The cost follows the keys present, not the count. */
    std::vector<Entry> read (const juce::String& text);
}
