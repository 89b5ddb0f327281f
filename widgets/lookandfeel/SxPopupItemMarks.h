#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The marks beside a popup menu row's text: the icon or tick on the left and the
    sub-menu triangle on the right, as the kit's dark menus draw them. Each call cuts
    its strip from the row, leaving the rest for the text. */
struct SxPopupItemMarks
{
    /** Draws the icon, else the tick when `isTicked`, in a box 5/4 of the row's height
        wide cut from the row's left. */
    static void drawIconOrTick (juce::LookAndFeel& lookAndFeel, juce::Graphics& g, juce::Rectangle<int>& row,
                                const juce::Drawable* icon, bool isTicked);

    /** Draws the sub-menu triangle, sized by the text's ascent, cut from the row's right. */
    static void drawSubMenuArrow (juce::Graphics& g, juce::Rectangle<int>& row, float fontAscent);
};
