#include "EaseComponentAnimatorLinkedBottomToTopComponent.h"

#include "EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask.h"

void EaseComponentAnimatorLinkedBottomToTopComponent::animateComponentLinked (
    juce::Component* component, const juce::Rectangle<int>& finalBounds, int durationMs, bool useProxyComponent,
    int easingType, float finalAlpha, double /*startSpeed*/, double /*endSpeed*/, juce::Component* linked)
{
    linkedComponent = linked;

    if (component == nullptr)
        return;

    startTask (*component,
               [component, linked] { return std::make_unique<EaseComponentAnimatorLinkedBottomToTopComponentAnimationTask> (*component, linked); },
               finalBounds, durationMs, useProxyComponent, easingType, finalAlpha);
}
