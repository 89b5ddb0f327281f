#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Three pictures across a width: a left cap, a middle stretched between the caps and a
    right cap, each drawn whole into its rectangle. The caps keep their widths even when
    they do not fit; the middle then has width 0 and is not drawn. */
struct SxThreeSlices
{
    juce::Rectangle<int> left, middle, right;

    static SxThreeSlices layOut (int width, int height, int leftWidth, int rightWidth);

    void draw (juce::Graphics& g, const juce::Image& leftImage, const juce::Image& middleImage,
               const juce::Image& rightImage) const;
};
