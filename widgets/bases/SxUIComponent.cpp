#include "SxUIComponent.h"

SxUIComponent::SxUIComponent (const juce::String& componentName)
    : SxComponent (componentName)
{
}

void SxUIComponent::update()
{
    // A control's update may rebuild its neighbours: walk a guarded copy.
    juce::Array<juce::Component::SafePointer<juce::Component>> children;
    for (auto* child : getChildren())
        children.insert (0, child);

    for (auto& child : children)
        if (auto* control = dynamic_cast<SxUpdateComponent*> (child.getComponent()))
            control->update();
}
