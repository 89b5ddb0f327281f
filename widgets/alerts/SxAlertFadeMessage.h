#pragma once

#include "EaseComponentAnimator.h"
#include "SxComponent.h"
#include "SxControlChangedCallback.h"

/** A short notice that does not block: a card with one line of text that fades in over its
    parent, stays 1500 ms, fades out and deletes itself (with durationMs 800: gone about
    3.1 s after it appeared). It covers the whole parent, so any click on the parent while it
    is there deletes it at once. */
class SxAlertFadeMessage : public SxComponent,
                           public juce::MultiTimer,
                           public SxControlChangedCallback
{
public:
    static constexpr int shownMs = 1500;

    enum TimerId
    {
        fadeInTimer = 1,
        fadeOutTimer = 2,
        deleteTimer = 3
    };

    /** parent null means the main component. */
    SxAlertFadeMessage (const juce::String& componentName, const juce::String& text, int durationMs, juce::Component* parent);
    ~SxAlertFadeMessage() override;

    /** Fades the message; public so that a test or the gallery can drive it. */
    EaseComponentAnimator animator;

    void controlChanged (juce::Component*) override {}

    void mouseDown (const juce::MouseEvent& e) override;
    void timerCallback (int timerId) override;

    juce::Label& getLabel() const noexcept  { return *label; }

private:
    const int durationMs;
    juce::Label* label = nullptr;

    void deleteSelf();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxAlertFadeMessage)
};
