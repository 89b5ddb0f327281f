#include "EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask.h"

EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask::EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask (
    juce::Component& c, juce::Component* linked)
    : EaseComponentAnimatorAnimationTask (c), linkedComponent (linked)
{
}

juce::Rectangle<int> EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask::boundsAt (float t, float d) const
{
    const auto* linked = linkedComponent.get();

    if (linked == nullptr)
        return EaseComponentAnimatorAnimationTask::boundsAt (t, d);

    const int x = (int) ease (t, (float) startLeft, (float) (destination.getX() - startLeft), d);
    const int y = (int) ease (t, (float) startTop, (float) (destination.getY() - startTop), d);
    const int right = (int) ease (t, (float) startRight, (float) (destination.getRight() - startRight), d);
    return { x, y, right - x, linked->getY() - y };
}

juce::Rectangle<int> EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask::finalBounds() const
{
    if (const auto* linked = linkedComponent.get())
        return destination.withHeight (linked->getY() - destination.getY());

    return destination;
}
