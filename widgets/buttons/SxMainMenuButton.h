#pragma once

#include "SxImageButton.h"

class SxImageComponent;

/** A toolbar button of the main window: its icon, at half the icon's pixel size, centred on
    a highlight that shows while the mouse is over it (hover picture) or presses it (pressed
    picture); while disabled the icon is dimmed. Clicks reach its listeners like any button's.

    With reportsPressAndRelease set (the hold-to-compare button), the button also reports
    to the main component (SxMainComponentServices::menuButtonReported) while it is enabled:
    on press, on release, and on leaving after a reported press. A release inside the button
    keeps it held, so moving out afterwards reports once more.
*/
class SxMainMenuButton : public SxImageButton
{
public:
    SxMainMenuButton (const juce::String& componentName, const juce::Image& icon, const juce::String& tooltip);

    bool reportsPressAndRelease = false;
    /** True from a reported press to the next reported leave. */
    bool held = false;

    SxImageComponent& getIcon() const noexcept  { return *iconComponent; }

    void mouseMove (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

    /** The icon's opacity while the button is disabled. */
    static constexpr float disabledIconAlpha = 0.35f;

protected:
    void enablementChanged() override;

private:
    SxImageComponent* iconComponent = nullptr;

    void report();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxMainMenuButton)
};
