#pragma once

#include "EaseComponentAnimatorAnimationTask.h"

/** A task whose component's bottom edge sits on the top edge of another component at every
    tick, wherever that one is: the left, top and right edges are eased, the bottom is read.
    The right edge is cut towards zero like the left.

    The linked component is not owned; once it is deleted the task eases the bottom edge to
    the destination like a plain task.
*/
class EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask : public EaseComponentAnimatorAnimationTask
{
public:
    EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask (juce::Component& component, juce::Component* linkedComponent);

    juce::WeakReference<juce::Component> linkedComponent;

protected:
    juce::Rectangle<int> boundsAt (float t, float d) const override;
    juce::Rectangle<int> finalBounds() const override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask)
};
