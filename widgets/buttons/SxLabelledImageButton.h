#pragma once

#include "SxImageButton.h"

/** The picture button of the alerts and the preferences panel ("OK", "Apply", "Rebuild
    Default Presets"): its face at half the picture's size, at opacity 0.9, fully opaque
    under the mouse, the pressed face when down, rescaled with the button in proportion; a
    caption label on it (12-pixel plain text in (250, 250, 250), 190 x 23 centred at 0.5 and
    0.45 of the button) that takes no clicks. The button carries the caption as its title. */
class SxLabelledImageButton : public SxImageButton
{
public:
    SxLabelledImageButton (const juce::String& componentName, const juce::Image& face, const juce::Image& pressedFace,
                           const juce::String& labelName, const juce::String& labelText);

    juce::Label& getLabel() const noexcept  { return *label; }

private:
    juce::Label* label = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxLabelledImageButton)
};
