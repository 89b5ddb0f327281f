#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Waits for the release of a press that a modal component blocked, then tells that
    component through SxOutsideModalInput::inputAttemptOutsideModal.

    The framework drops a blocked release before any listener sees it, so while armed the
    watcher polls the mouse sources every few milliseconds and fires once no button is down.
    It holds the modal component by WeakReference: a pop-up that closed or deleted itself in
    the meantime is never touched, and it fires only while that component is still the
    front-most modal one.

    Tests drive it by hand: press and release through the peer, then call timerCallback().
*/
class SxOutsideInputWatcher : public juce::Timer,
                              private juce::DeletedAtShutdown
{
public:
    ~SxOutsideInputWatcher() override;

    /** Waits for the release on behalf of modal (replacing any earlier wait). */
    void arm (juce::Component& modal);

    /** Stops waiting without telling anybody. */
    void disarm();

    bool isArmed() const noexcept  { return isTimerRunning(); }

    /** One poll: fires and disarms when no mouse button is down, else keeps waiting. */
    void timerCallback() override;

    /** Calls inputAttemptOutsideModal on modal now, when it is still the front-most modal
        component and has the mixin. */
    static void deliver (juce::Component& modal);

    JUCE_DECLARE_SINGLETON_SINGLETHREADED_MINIMAL (SxOutsideInputWatcher)

private:
    SxOutsideInputWatcher() = default;

    // Short enough that nobody notices the pop-up closing after the release.
    static constexpr int pollIntervalMs = 10;

    juce::WeakReference<juce::Component> armedFor;
};
