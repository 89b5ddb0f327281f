#include "SxAlertComponent.h"

#include "SxAlertPaintComponent.h"
#include "SxLabelledImageButton.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

SxAlertComponent::SxAlertComponent (const juce::String& componentName, const juce::String& title, const juce::String& message,
                                    SxControlChangedCallback* cb)
    : SxAlertPanel (componentName, cb)
{
    buildFrame();
    addApplicationImage ("20, 55, left + 120, top + 120");

    titleLabel = addLabel ("SxAlertLabel", title, juce::Justification::centred, "(parent.width / 2) - (190 / 2), 35, left + 190, top + 23");

    messagePainter = new SxAlertPaintComponent();
    messagePainter->text = message;
    addAndMakeVisible (messagePainter);
    SxRelativeBounds::apply (*messagePainter, "150, 55, left + parent.width - 150 - 15, top + 90");

    okButton = addButton ("sxAlertDoneButton", SxWidgetArt::get (WidgetArt::alertButtonPrimary), "doneLabel", "OK",
                          "(parent.width / 2) - (97 / 2), parent.height - 31 - 20, left + 97, top + 31");

    slideIn();
}

void SxAlertComponent::timerCallback (int timerId)
{
    if (timerId != reportTimer)
        return SxAlertPanel::timerCallback (timerId);

    stopTimer (timerId);
    leaveModalState();

    if (callback != nullptr)
        callback->controlChanged (this);
}

void SxAlertComponent::buttonClicked (juce::Button*)
{
    if (isSliding() || isTimerRunning (reportTimer) || isTimerRunning (deleteTimer))
        return;

    slideOut();
    startTimer (reportTimer, slideMs);
    startTimer (deleteTimer, 2 * slideMs);
}

bool SxAlertComponent::keyPressed (const juce::KeyPress& key)
{
    if (key.isKeyCode (juce::KeyPress::returnKey) || key.isKeyCode (juce::KeyPress::escapeKey))
        buttonClicked (okButton);

    return true;
}
