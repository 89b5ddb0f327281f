#include "TestFonts.h"

namespace sxgui
{
    void pinFonts (juce::LookAndFeel& lookAndFeel)
    {
        lookAndFeel.setDefaultSansSerifTypefaceName (pinnedTypefaceName);
    }
}
