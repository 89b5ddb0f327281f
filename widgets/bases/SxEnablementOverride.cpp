#include "SxEnablementOverride.h"

#include <juce_gui_basics/juce_gui_basics.h>

void sxSetEnabled (juce::Component& control, bool shouldBeEnabled)
{
    if (auto* own = dynamic_cast<SxEnablementOverride*> (&control))
        own->setEnabled (shouldBeEnabled);
    else
        control.setEnabled (shouldBeEnabled);
}
