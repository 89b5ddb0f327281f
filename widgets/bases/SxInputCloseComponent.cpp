#include "SxInputCloseComponent.h"

#include "SxMainComponentServices.h"

SxInputCloseComponent::SxInputCloseComponent (const juce::String& componentName)
    : SxComponent (componentName)
{
    if (auto* main = SxMainComponentServices::getInstance())
        main->enterModal (this, false);
}

void SxInputCloseComponent::inputAttemptOutsideModal()
{
    const juce::WeakReference<juce::Component> self (this);

    if (auto* main = SxMainComponentServices::getInstance())
        main->exitModal (this);

    if (self != nullptr && modalInputDelegate != nullptr)
        modalInputDelegate->modalInputAttempted (this);

    // The delegate may have deleted the pop-up itself.
    if (self != nullptr)
        delete this;
}

bool SxInputCloseComponent::keyPressed (const juce::KeyPress& key)
{
    if (! key.isKeyCode (juce::KeyPress::escapeKey))
        return false;

    inputAttemptOutsideModal();
    return true;
}
