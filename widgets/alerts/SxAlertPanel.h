#pragma once

#include "EaseComponentAnimator.h"
#include "SxComponent.h"
#include "SxControlChangedCallback.h"

class SxImageComponent;
class SxLabelledImageButton;

/** What the 600 x 200 alerts share (SxAlertComponent, SxPluginAlertComponent): a panel
    inside the main component that slides down from above it until its top is at y = -25,
    blocks the rest of the interface while shown, and slides back up when a button is
    pressed.

    Timeline of the slide-in: 0-300 ms moving (presses on its buttons are ignored), then timer
    1 pins it by expression so that it stays centred when the window is resized. */
class SxAlertPanel : public SxComponent,
                     public juce::Button::Listener,
                     public juce::MultiTimer,
                     public SxControlChangedCallback
{
public:
    static constexpr int alertWidth = 600, alertHeight = 200;
    static constexpr int slideMs = 300;

    enum TimerId
    {
        pinTimer = 1,
        reportTimer = 2,
        deleteTimer = 3,
        quitTimer = 20
    };

    ~SxAlertPanel() override;

    /** Slides the alert; public so that a test or the gallery can drive it. */
    EaseComponentAnimator animator;
    /** Told how the alert was closed; not owned, may be null. */
    SxControlChangedCallback* callback = nullptr;

    /** Stays empty: the alert's children report to it through the button listener. */
    void controlChanged (juce::Component*) override {}

    /** Stops the timer, then pins the alert (pinTimer) or deletes it (deleteTimer); the
        alerts add their own timers. */
    void timerCallback (int timerId) override;

    /** True while the alert slides in or out. */
    bool isSliding() const noexcept  { return animator.isAnimating (this); }

protected:
    SxAlertPanel (const juce::String& componentName, SxControlChangedCallback* callback);

    /** Adds the alert on top of the main component just above its top edge, and the frame. */
    void buildFrame();
    /** The 1024 x 1024 application picture stretched into the bounds expression. */
    void addApplicationImage (const juce::String& bounds);
    /** A face button listened to by the alert, placed by expression. */
    SxLabelledImageButton* addButton (const juce::String& name, const juce::Image& face, const juce::String& labelName,
                                      const juce::String& labelText, const juce::String& bounds);
    /** A 12-pixel label in (250, 250, 250), placed by expression. */
    juce::Label* addLabel (const juce::String& name, const juce::String& text, juce::Justification justification,
                           const juce::String& bounds);

    /** Slides in over 300 ms, arms the pin and makes the alert modal (blocked presses sound). */
    void slideIn();
    /** Slides up until it is out of sight, over 300 ms. */
    void slideOut();
    /** Centred, top at -25, following the main component's width. */
    void pin();
    /** Deletes the children, then the alert. Nothing may touch it afterwards. */
    void deleteSelf();
    /** Leaves the modal state through the main component. */
    void leaveModalState();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxAlertPanel)
};
