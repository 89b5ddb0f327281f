#include "SxMainComponentServices.h"

#include "SxActivityContainer.h"
#include "SxDocumentCanvasServices.h"
#include "SxPreferenceComponent.h"
#include "SxRelativeBounds.h"

namespace
{
    /** Every live main component, the newest last. */
    std::vector<SxMainComponentServices*>& instances()
    {
        static std::vector<SxMainComponentServices*> list;
        return list;
    }

    constexpr int preferencesSlideMs = 300;
}

SxMainComponentServices::SxMainComponentServices()
{
    instances().push_back (this);
}

SxMainComponentServices::~SxMainComponentServices()
{
    preferencesRemoval.stopTimer();
    panelAnimator.cancelAllAnimations (false);
    delete preferencesPanel.getComponent();
    activityOverlay.reset();

    std::erase (instances(), this);
}

SxMainComponentServices* SxMainComponentServices::getInstance() noexcept
{
    return instances().empty() ? nullptr : instances().back();
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

//==============================================================================
void SxMainComponentServices::showActivityOverlay (const juce::String& message, bool spin, bool show)
{
    const bool existed = activityOverlay != nullptr;

    if (! existed)
        activityOverlay = std::make_unique<SxActivityContainer>();

    if (! show)
        return;

    if (auto* canvas = getDocumentCanvasComponent())
    {
        canvas->addAndMakeVisible (*activityOverlay);
        activityOverlay->setCentreRelative (0.5f, 0.5f);
    }

    activityOverlay->setMessage (message);

    if (spin)
    {
        activityOverlay->setSpinnerFrozen (false);
        activityOverlay->startSpinner();
    }
    else
    {
        activityOverlay->setSpinnerFrozen (true);
    }
}

void SxMainComponentServices::hideActivityOverlay()
{
    if (activityOverlay == nullptr)
        return;

    if (activityOverlay->isCurrentlyModal (false))
        exitModal (activityOverlay.get());

    activityOverlay.reset();
}

//==============================================================================
void SxMainComponentServices::showPreferences()
{
    if (preferencesPanel != nullptr)
        return;

    auto& main = getMainComponent();
    auto* panel = new SxPreferenceComponent();
    panel->setName ("preferenceDialog");
    preferencesPanel = panel;
    main.addAndMakeVisible (panel);
    SxRelativeBounds::apply (*panel, "(parent.width / 2) - (width / 2), -236, left+450, top+235");
    SxRelativeBounds::detach (*panel);

    const auto start = panel->getBounds();
    panelAnimator.animateComponent (panel, start.withY (start.getY() + start.getHeight() - 25),
                                    preferencesSlideMs, false, 10, 1.0f, 0.5, 0.5);
    enterModal (panel, true);
}

void SxMainComponentServices::preferencesDone()
{
    auto* panel = preferencesPanel.getComponent();

    if (panel == nullptr || panelAnimator.isAnimating (panel) || preferencesRemoval.isTimerRunning())
        return;

    SxRelativeBounds::detach (*panel);
    const auto bounds = panel->getBounds();
    panelAnimator.animateComponent (panel, bounds.withY (bounds.getY() - bounds.getHeight() - 47),
                                    preferencesSlideMs, false, 9, 1.0f, 0.5, 0.5);
    preferencesRemoval.startTimer (preferencesSlideMs);
}

juce::Timer& SxMainComponentServices::getPreferencesRemovalTimer() noexcept
{
    return preferencesRemoval;
}

void SxMainComponentServices::PreferencesRemoval::timerCallback()
{
    stopTimer();
    owner.removePreferences();
}

void SxMainComponentServices::removePreferences()
{
    auto* panel = preferencesPanel.getComponent();
    preferencesPanel = nullptr;

    if (panel == nullptr)
        return;

    exitModal (panel);
    delete panel;   // with its children (an SxComponent)
}

juce::Component* SxMainComponentServices::getEffectPanel()
{
    return getMainComponent().findChildWithID ("effectControlComponent");
}
