#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The caption of the kit's text buttons: a label named after the button plus "label",
    12-pixel plain text in (250, 250, 250) centred over the whole button. It takes no clicks,
    so they reach the button, and it is hidden from accessibility: the button carries the
    caption as its title. */
namespace SxButtonCaption
{
    /** Adds the caption to button (which owns it) and returns it; adds nothing and returns
        null when text is empty. */
    juce::Label* attach (juce::Button& button, const juce::String& text);
}
