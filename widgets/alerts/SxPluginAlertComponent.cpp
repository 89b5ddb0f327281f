#include "SxPluginAlertComponent.h"

#include "SxLabelledImageButton.h"
#include "SxWidgetArt.h"

namespace
{
    /** Bounds of a 97 x 31 button whose left edge is the expression left, 10 below the message. */
    juce::String buttonBounds (const juce::String& left)
    {
        constexpr int faceWidth = 194, faceHeight = 62, messageBottom = 55 + 70;
        return left + ", " + juce::String (messageBottom + 10) + ", left + " + juce::String (faceWidth / 2)
             + ", top + " + juce::String (faceHeight / 2);
    }
}

SxPluginAlertComponent::SxPluginAlertComponent (const juce::String& componentName, const juce::String& title,
                                                const juce::String& message, SxControlChangedCallback* cb)
    : SxAlertPanel (componentName, cb)
{
    buildFrame();
    addApplicationImage ("40, 40, 170, 170");
    addLabel ("SxAlertLabel", title, juce::Justification::centredLeft, "220, 35, left + 190, top + 23");
    addLabel ("SxAlertLabel", message, juce::Justification::centredLeft, "220, 55, 600, top + 70");

    const auto secondary = SxWidgetArt::get (WidgetArt::alertButtonSecondary);
    cancelButton = addButton ("pluginQuitAlertCancelButton", secondary, "cancelLabel", "Cancel", buttonBounds ("0 + 194"));
    quitButton = addButton ("pluginQuitAlertQuitButton", secondary, "quitLabel", "Quit", buttonBounds ("parent.width - 194 - 40"));
    applyButton = addButton ("pluginQuitAlertApplyButton", SxWidgetArt::get (WidgetArt::alertButtonPrimary), "doneLabel", "Apply",
                             buttonBounds ("parent.width - 97 - 30"));

    slideIn();
}

void SxPluginAlertComponent::timerCallback (int timerId)
{
    if (timerId != reportTimer && timerId != quitTimer)
        return SxAlertPanel::timerCallback (timerId);

    stopTimer (timerId);

    // Cancel reports the alert itself, Quit its button.
    if (callback != nullptr)
        callback->controlChanged (timerId == quitTimer ? static_cast<juce::Component*> (quitButton) : this);
}

void SxPluginAlertComponent::buttonClicked (juce::Button* button)
{
    // One answer only: the alert stays (hidden) after "Apply" and "Quit", and a key could
    // press again once the slide has ended.
    if (isSliding() || answered || button == nullptr)
        return;

    answered = true;
    slideOut();
    leaveModalState();

    if (button == applyButton)
    {
        if (callback != nullptr)
            callback->controlChanged (applyButton);
    }
    else if (button == cancelButton)
    {
        startTimer (reportTimer, slideMs);
        startTimer (deleteTimer, 2 * slideMs);
    }
    else if (button == quitButton)
    {
        startTimer (quitTimer, slideMs);
    }
}

bool SxPluginAlertComponent::keyPressed (const juce::KeyPress& key)
{
    if (key.isKeyCode (juce::KeyPress::returnKey))
        buttonClicked (applyButton);
    else if (key.isKeyCode (juce::KeyPress::escapeKey))
        buttonClicked (cancelButton);

    return true;
}
