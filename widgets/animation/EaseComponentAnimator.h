#pragma once

#include "EaseComponentAnimatorAnimationTask.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

/** Moves, resizes and fades any number of components along the easing curves of easeValue,
    from one 10 ms timer.

    Time comes from SxClock, so an animation that misses ticks jumps ahead rather than
    slowing down. Starting an animation detaches the component from its bounds expression
    (SxRelativeBounds; the text stays readable). Restarting a running component starts its
    task again from where the component is now.

    Change messages (asynchronous, so several may arrive as one): when a task is added, when
    one ends, and after cancelAllAnimations.

    Owned by the panel whose children it moves; destroying it drops every task (and proxy)
    and leaves the components where they are. Message thread only.
*/
class EaseComponentAnimator : public juce::ChangeBroadcaster,
                              public juce::Timer
{
public:
    EaseComponentAnimator() = default;
    ~EaseComponentAnimator() override;

    /** Starts or restarts the animation of component towards finalBounds and finalAlpha over
        durationMs along curve easingType (a type easeValue does not know moves linearly).
        With useProxyComponent a snapshot plays the animation while the component is hidden.
        The speeds are accepted for the callers' sake; the curve alone shapes the motion.
        A null component does nothing. */
    virtual void animateComponent (juce::Component* component, const juce::Rectangle<int>& finalBounds,
                                   int durationMs, bool useProxyComponent, int easingType, float finalAlpha,
                                   double startSpeed, double endSpeed);

    /** Fades the component out through a proxy (sine out) where it is heading, when it is
        on screen and durationMs is positive; it is hidden at once in every case. */
    void fadeOut (juce::Component* component, int durationMs);

    /** Fades the component in from alpha 0 (sine in) where it is heading; a component that
        is visible at alpha 1 is left alone. */
    void fadeIn (juce::Component* component, int durationMs);

    /** Ends every task, first putting the components at their destinations when asked. */
    void cancelAllAnimations (bool moveComponentsToTheirFinalPositions);

    /** Whether a task for component is running. */
    bool isAnimating (const juce::Component* component) const noexcept;

    /** The tasks running now. */
    int getNumTasks() const noexcept  { return (int) tasks.size(); }

    void timerCallback() override;

protected:
    using Task = EaseComponentAnimatorAnimationTask;

    /** The running task of component, searched from the newest. */
    Task* findTaskFor (const juce::Component* component) const noexcept;

    /** Finds or creates (with makeTask) the component's task, resets it and makes sure the
        timer runs. */
    void startTask (juce::Component& component, const std::function<std::unique_ptr<Task>()>& makeTask,
                    const juce::Rectangle<int>& finalBounds, int durationMs, bool useProxyComponent,
                    int easingType, float finalAlpha);

private:
    std::vector<std::unique_ptr<Task>> tasks;
    juce::uint32 lastTime = 0;

    JUCE_DECLARE_WEAK_REFERENCEABLE (EaseComponentAnimator)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EaseComponentAnimator)
};
