#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** One component's animation inside an EaseComponentAnimator: its bounds and alpha from where
    they were at reset to the destination along one easing curve.

    Bounds are eased edge by edge (left, top, right, bottom); each tick cuts the eased left
    and top towards zero and rounds the right and bottom up, and the task ends as soon as
    that rectangle is the destination, which an overshooting curve reaches well before its
    duration. A task that changes alpha runs its full duration.

    With a proxy the component is hidden and a snapshot of it (ProxyComponent) plays the
    animation in its place; the proxy outlives the component if that is deleted meanwhile.
    The proxy is a child of the component's parent and may be deleted with that parent: the
    task only ever touches it through a safe pointer.
*/
class EaseComponentAnimatorAnimationTask
{
public:
    /** A snapshot of a component painted in its place while the component itself is hidden. */
    class ProxyComponent : public juce::Component
    {
    public:
        /** Takes the snapshot and stands in just behind the component: in its parent, or on
            the desktop beside it when it is a window. Never takes clicks or key presses. */
        explicit ProxyComponent (juce::Component& component);

        void paint (juce::Graphics& g) override;

    private:
        std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

        juce::Image snapshot;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProxyComponent)
    };

    explicit EaseComponentAnimatorAnimationTask (juce::Component& component);
    virtual ~EaseComponentAnimatorAnimationTask();

    /** Starts again from the component's current bounds and alpha. A duration below 1 ms
        counts as 1 ms. With useProxyComponent a fresh snapshot stands in for the (hidden)
        component, otherwise the component is shown and any proxy goes. */
    virtual void reset (const juce::Rectangle<int>& finalBounds, int durationMs, bool useProxyComponent,
                        int easingType, float finalAlpha);

    /** Moves the animation on by elapsedMs; false when it has ended (the component is then
        at its destination). */
    virtual bool useTimeslice (int elapsedMs);

    /** Puts the component (if it still exists) at its destination and final alpha; after a
        proxy it is shown exactly when the final alpha is above 0. */
    virtual void moveToFinalDestination();

    juce::WeakReference<juce::Component> component;
    juce::Component::SafePointer<ProxyComponent> proxy;

    juce::Rectangle<int> destination;
    double destAlpha = 1.0;

    int elapsedMs = 0, totalMs = 1;
    double startLeft = 0, startTop = 0, startRight = 0, startBottom = 0, startAlpha = 1.0;
    bool changesBounds = false, changesAlpha = false;
    int easingType = 0;

protected:
    /** The curve's value; a type the curves do not know moves linearly, so a bad type still
        takes the component to its destination instead of parking it at the origin. */
    float ease (float t, float begin, float change, float duration) const;

    /** The rectangle this tick shows, from the eased edges. */
    virtual juce::Rectangle<int> boundsAt (float t, float d) const;

    /** Where moveToFinalDestination puts the component. */
    virtual juce::Rectangle<int> finalBounds() const;

private:
    bool usesProxy = false;

    JUCE_DECLARE_WEAK_REFERENCEABLE (EaseComponentAnimatorAnimationTask)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EaseComponentAnimatorAnimationTask)
};
