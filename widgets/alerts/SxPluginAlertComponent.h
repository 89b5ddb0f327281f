#pragma once

#include "SxAlertPanel.h"

class SxLabelledImageButton;

/** The question asked when the user quits while editing a photo handed over by the photo
    library: "Apply", "Quit" or "Cancel".

    A press (once the alert has settled) slides it out and leaves the modal state at once.
    "Apply" calls controlChanged (applyButton) at once, "Quit" calls controlChanged
    (quitButton) 300 ms later; in both cases the alert stays, hidden above the window.
    "Cancel" calls controlChanged (the alert) 300 ms later and deletes it at 600 ms.
    Return presses "Apply", Escape "Cancel". */
class SxPluginAlertComponent : public SxAlertPanel
{
public:
    SxPluginAlertComponent (const juce::String& componentName, const juce::String& title, const juce::String& message,
                            SxControlChangedCallback* callback);

    void timerCallback (int timerId) override;
    void buttonClicked (juce::Button* button) override;
    bool keyPressed (const juce::KeyPress& key) override;

    SxLabelledImageButton* applyButton = nullptr;
    SxLabelledImageButton* quitButton = nullptr;
    SxLabelledImageButton* cancelButton = nullptr;

private:
    bool answered = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxPluginAlertComponent)
};
