#pragma once

#include "EaseComponentAnimator.h"

/** An animator whose new tasks keep the animated component's bottom edge on the top edge of
    a linked component (a panel that shrinks while the one below it slides up).

    The component keeps its bounds expression: only animateComponent detaches it. A component
    that is already animating keeps its task, plain or linked, and that task's link.
*/
class EaseComponentAnimatorLinkedBottomToTopComponent : public EaseComponentAnimator
{
public:
    EaseComponentAnimatorLinkedBottomToTopComponent() = default;

    /** As animateComponent, with the bottom edge following linkedComponent's top; the height
        of finalBounds is replaced by wherever that edge is. */
    virtual void animateComponentLinked (juce::Component* component, const juce::Rectangle<int>& finalBounds,
                                         int durationMs, bool useProxyComponent, int easingType, float finalAlpha,
                                         double startSpeed, double endSpeed, juce::Component* linkedComponent);

    /** The component given to the latest animateComponentLinked (null once it is deleted). */
    juce::Component* getLinkedComponent() const noexcept  { return linkedComponent.get(); }

private:
    juce::WeakReference<juce::Component> linkedComponent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EaseComponentAnimatorLinkedBottomToTopComponent)
};
