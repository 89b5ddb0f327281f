#include "SxComponent.h"

SxComponent::SxComponent (const juce::String& componentName)
    : juce::Component (componentName)
{
}

SxComponent::~SxComponent()
{
    for (auto& borrowed : borrowedChildren)
        if (auto* child = borrowed.get(); child != nullptr && child->getParentComponent() == this)
            removeChildComponent (child);

    borrowedChildren.clear();
    deleteAllChildren();
}

void SxComponent::inputAttemptOutsideModal()
{
    if (modalInputDelegate != nullptr)
        modalInputDelegate->modalInputAttempted (this);
}

void SxComponent::addBorrowedChild (juce::Component& child, int zOrder)
{
    if (! isBorrowedChild (child))
        borrowedChildren.add (&child);

    addAndMakeVisible (child, zOrder);
}

void SxComponent::removeBorrowedChild (juce::Component& child)
{
    borrowedChildren.removeIf ([&child] (const juce::WeakReference<juce::Component>& borrowed)
                               { return borrowed.get() == &child; });
    removeChildComponent (&child);
}

bool SxComponent::isBorrowedChild (const juce::Component& child) const
{
    for (auto& borrowed : borrowedChildren)
        if (borrowed.get() == &child)
            return true;

    return false;
}

void SxComponent::inputAttemptWhenModal()
{
    reactToBlockedInput (*this);
}

bool SxComponent::hitTest (int x, int y)
{
    return getAlpha() > 0.0f && juce::Component::hitTest (x, y);
}
