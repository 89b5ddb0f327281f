#include "SxLayoutControllerCombinedComponent.h"

SxLayoutControllerCombinedComponent::SxLayoutControllerCombinedComponent()
    : SxComponent (juce::String())
{
}
