#pragma once

#include "SxAlertPanel.h"
#include "SxLabelledImageButton.h"

class SxAlertPaintComponent;

/** An alert with the application picture, a title, a message of up to eight lines and "OK".

    Construction adds it to the main component and slides it in. "OK" (or Return or Escape)
    once it has settled slides it out; 300 ms after the press it leaves the modal state and
    calls controlChanged (the alert) on the callback, which tells alerts apart by the
    component name given here ("ExceededLayers"); 600 ms after the press it deletes itself.
    Nobody deletes it from outside; a holder of a pointer drops it when the callback comes. */
class SxAlertComponent : public SxAlertPanel
{
public:
    SxAlertComponent (const juce::String& componentName, const juce::String& title, const juce::String& message,
                      SxControlChangedCallback* callback);

    void timerCallback (int timerId) override;
    /** Any of its buttons closes it; ignored while it slides. */
    void buttonClicked (juce::Button* button) override;
    /** Return and Escape press "OK"; every other key is taken and does nothing. */
    bool keyPressed (const juce::KeyPress& key) override;

    juce::Button& getOkButton() const noexcept                  { return *okButton; }
    juce::Label& getTitleLabel() const noexcept                 { return *titleLabel; }
    SxAlertPaintComponent& getMessagePainter() const noexcept   { return *messagePainter; }

private:
    juce::Label* titleLabel = nullptr;
    SxAlertPaintComponent* messagePainter = nullptr;
    SxLabelledImageButton* okButton = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxAlertComponent)
};
