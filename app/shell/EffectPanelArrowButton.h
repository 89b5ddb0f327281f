#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** One of the two tabs that hide and show the effect panel: a framework image button with
    one picture for every state, drawn at full opacity without an overlay.

    The hidden tab stays on screen at alpha 0 over the canvas or the panel's title bar, so
    it is not hit while fully transparent: clicks and tooltips reach what lies below it.
*/
class EffectPanelArrowButton : public juce::ImageButton
{
public:
    EffectPanelArrowButton (const juce::String& componentName, const juce::Image& image);

    bool hitTest (int x, int y) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EffectPanelArrowButton)
};
