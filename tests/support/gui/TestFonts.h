#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace sxgui
{
    /** The sans-serif face every GUI test and gallery page draws with, whatever else the
        machine has installed (fonts-dejavu-core is one of the project's packages). */
    inline constexpr const char* pinnedTypefaceName = "DejaVu Sans";

    /** Makes lookAndFeel draw its sans-serif text in the pinned face. */
    void pinFonts (juce::LookAndFeel& lookAndFeel);
}
