#pragma once

#include "EaseComponentAnimator.h"
#include "SxComponent.h"

class SxPanelComponent;
class SxSlideInComponentCallback;

/** The wizards' panel: slides in from the right over the effect-control panel, stays modal
    while the user works in it, and slides out again when its button is pressed or the user
    clicks outside it (or presses Escape).

    Timeline after open: 100 ms off to the right, then a 300 ms slide; 450 ms after open it is
    pinned flush with its parent's right edge and follows resizes. A close starts a 500 ms
    slide-out; 550 ms later the callback is told (slideInClosedWithButton or
    slideInDismissed), then the modal state is left, then the panel deletes itself. A second
    close while it slides out restarts the slide and re-arms that timer; the callback is
    told once. */
class SxSlideInComponent : public SxComponent,
                           public juce::Button::Listener,
                           public juce::MultiTimer
{
public:
    enum TimerId
    {
        slideInTimer = 50,
        pinTimer = 51,
        dismissedTimer = 200,
        closedWithButtonTimer = 201
    };

    SxSlideInComponent (const juce::String& componentName, SxSlideInComponentCallback* callback);
    ~SxSlideInComponent() override;

    /** Told how the panel closed; not owned. */
    SxSlideInComponentCallback* callback = nullptr;
    /** Slides the panel; public so that a test or the gallery can drive it. */
    EaseComponentAnimator animator;

    /** Builds the panel (framed, titled, with ownerContent in its content area and a button
        with buttonText), adds it just beyond the right edge of the effect panel's tab
        controller (insideTabArea) or of the effect panel, and makes it modal without the
        alert sound. */
    virtual void open (const juce::String& title, juce::Component* ownerContent, const juce::String& buttonText, bool insideTabArea);

    /** Slides out and ends with slideInClosedWithButton. */
    virtual void close();

    /** Its "closeButton" closes it; other buttons are ignored. */
    void buttonClicked (juce::Button* button) override;
    /** A click outside it: slides out and ends with slideInDismissed. */
    void inputAttemptOutsideModal() override;
    /** Escape acts as a click outside. */
    bool keyPressed (const juce::KeyPress& key) override;
    void timerCallback (int timerId) override;

    /** Null until open. */
    SxPanelComponent* getPanel() const noexcept     { return panel; }
    /** "PanelInsideComponent"; null until open. */
    SxComponent* getContent() const noexcept        { return content; }
    /** True from a close until the panel is gone. */
    bool isClosing() const noexcept                 { return closing; }

private:
    SxPanelComponent* panel = nullptr;
    SxComponent* content = nullptr;
    bool closing = false;

    void slideOut (int timerId);
    void finish (bool withButton);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxSlideInComponent)
};
