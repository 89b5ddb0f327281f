#include "ModalStateWatcher.h"

ModalStateWatcher::ModalStateWatcher (std::function<void()> noModalComponentLeft)
    : onNoModalComponentLeft (std::move (noModalComponentLeft))
{
}

ModalStateWatcher::~ModalStateWatcher()
{
    cancelPendingUpdate();
    unwatchAll();
}

void ModalStateWatcher::watchModalComponents()
{
    for (int i = juce::Component::getNumCurrentlyModalComponents(); --i >= 0;)
        if (auto* modal = juce::Component::getCurrentlyModalComponent (i); modal != nullptr && ! watched.contains (modal))
        {
            modal->addComponentListener (this);
            watched.add (modal);
        }
}

void ModalStateWatcher::componentVisibilityChanged (juce::Component&)      { triggerAsyncUpdate(); }
void ModalStateWatcher::componentParentHierarchyChanged (juce::Component&) { triggerAsyncUpdate(); }

void ModalStateWatcher::componentBeingDeleted (juce::Component& component)
{
    component.removeComponentListener (this);
    watched.removeAllInstancesOf (&component);
    triggerAsyncUpdate();
}

void ModalStateWatcher::handleAsyncUpdate()
{
    if (juce::Component::getNumCurrentlyModalComponents() > 0)
        return;

    unwatchAll();

    if (onNoModalComponentLeft)
        onNoModalComponentLeft();
}

void ModalStateWatcher::unwatchAll()
{
    for (auto* component : watched)
        component->removeComponentListener (this);
    watched.clear();
}
