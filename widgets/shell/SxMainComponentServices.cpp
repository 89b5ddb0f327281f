#include "SxMainComponentServices.h"

#include "SxDocumentCanvasServices.h"

namespace
{
    SxMainComponentServices* instance = nullptr;
}

SxMainComponentServices::SxMainComponentServices()
{
    instance = this;
}

SxMainComponentServices::~SxMainComponentServices()
{
    if (instance == this)
        instance = nullptr;
}

SxMainComponentServices* SxMainComponentServices::getInstance() noexcept
{
    return instance;
}

juce::Component* SxMainComponentServices::getMainWindow()
{
    return getMainComponent().getTopLevelComponent();
}

juce::Component* SxMainComponentServices::getDocumentCanvasComponent()
{
    auto* canvas = getDocumentCanvas();
    return canvas != nullptr ? &canvas->getCanvasComponent() : nullptr;
}

void SxMainComponentServices::enterModal (juce::Component* component, bool alertOnBlocked)
{
    if (component == nullptr)
        return;

    forgetClosedModals();
    std::erase_if (modalChoices, [component] (const ModalChoice& c) { return c.component.get() == component; });
    modalChoices.push_back ({ component, alertOnBlocked });

    if (! component->isCurrentlyModal (false))
        component->enterModalState (false, nullptr, false);

    disableToolbar();
}

void SxMainComponentServices::exitModal (juce::Component* component)
{
    if (component != nullptr)
        component->exitModalState (1);

    forgetClosedModals();

    if (juce::Component::getNumCurrentlyModalComponents() == 0)
        enableToolbar();
}

bool SxMainComponentServices::alertOnBlockedInput() const
{
    // Looked up live, so a modal component that went away by other means (deleted, hidden)
    // leaves no stale choice behind.
    if (auto* front = juce::Component::getCurrentlyModalComponent())
        for (auto& choice : modalChoices)
            if (choice.component.get() == front)
                return choice.alertOnBlockedInput;

    return true;
}

void SxMainComponentServices::forgetClosedModals()
{
    std::erase_if (modalChoices, [] (const ModalChoice& c)
    {
        auto* component = c.component.get();
        return component == nullptr || ! component->isCurrentlyModal (false);
    });
}
