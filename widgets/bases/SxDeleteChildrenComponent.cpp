#include "SxDeleteChildrenComponent.h"

SxDeleteChildrenComponent::SxDeleteChildrenComponent (const juce::String& componentName)
    : juce::Component (componentName)
{
}

SxDeleteChildrenComponent::~SxDeleteChildrenComponent()
{
    deleteAllChildren();
}
