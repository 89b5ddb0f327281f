#include "SxSlideInComponent.h"

#include "SxMainComponentServices.h"
#include "SxPanelComponent.h"
#include "SxRelativeBounds.h"
#include "SxSlideInComponentCallback.h"
#include "SxThreeImageButton.h"

namespace
{
    constexpr int openDelayMs = 100, slideInMs = 300, pinDelayMs = 350, slideOutMs = 500, closeDelayMs = 550;
}

SxSlideInComponent::SxSlideInComponent (const juce::String& componentName, SxSlideInComponentCallback* cb)
    : SxComponent (componentName),
      callback (cb)
{
}

SxSlideInComponent::~SxSlideInComponent()
{
    for (const auto id : { slideInTimer, pinTimer, dismissedTimer, closedWithButtonTimer })
        stopTimer (id);
}

void SxSlideInComponent::open (const juce::String& title, juce::Component* ownerContent, const juce::String& buttonText,
                               bool insideTabArea)
{
    auto* main = SxMainComponentServices::getInstance();
    juce::Component* host = nullptr;

    if (main != nullptr)
    {
        host = insideTabArea ? main->getEffectTabArea() : nullptr;
        if (host == nullptr)
            host = main->getEffectPanel();
    }

    if (host != nullptr)
        host->addAndMakeVisible (this, -1);

    SxRelativeBounds::apply (*this, "parent.width, 0, left + parent.width, top+parent.height");

    panel = new SxPanelComponent (true);
    addAndMakeVisible (panel);
    SxRelativeBounds::apply (*panel, "0, 0, left + parent.width, top + parent.height");
    panel->setTitle (title);
    panel->buildPanel();

    content = new SxComponent ("PanelInsideComponent");
    addAndMakeVisible (content);
    SxRelativeBounds::apply (*content, "0, 33, parent.width, parent.height - 33");

    if (ownerContent != nullptr)
        content->addBorrowedChild (*ownerContent, -1);

    auto* button = new SxThreeImageButton ("closeButton", buttonText);
    button->setSize (100, 23);
    addAndMakeVisible (button);
    SxRelativeBounds::apply (*button, "(parent.width / 2) - (100 / 2), parent.height - 30, left + 100, top + 23");
    button->addListener (this);

    startTimer (slideInTimer, openDelayMs);

    if (main != nullptr)
        main->enterModal (this, false);
    else
        enterModalState (false);
}

void SxSlideInComponent::close()
{
    slideOut (closedWithButtonTimer);
}

void SxSlideInComponent::buttonClicked (juce::Button* button)
{
    if (button != nullptr && button->getName() == "closeButton")
        close();
}

void SxSlideInComponent::inputAttemptOutsideModal()
{
    slideOut (dismissedTimer);
}

bool SxSlideInComponent::keyPressed (const juce::KeyPress& key)
{
    if (! key.isKeyCode (juce::KeyPress::escapeKey))
        return false;

    inputAttemptOutsideModal();
    return true;
}

void SxSlideInComponent::slideOut (int timerId)
{
    // A close during the slide-in must not be undone by the slide-in's own timers.
    closing = true;
    stopTimer (slideInTimer);
    stopTimer (pinTimer);

    // By the parent's width: cut short mid-slide, the panel's own may be a pixel off.
    const auto width = getParentComponent() != nullptr ? getParentWidth() : getWidth();
    animator.animateComponent (this, { width + 1, 0, width, getHeight() }, slideOutMs, false, 10, 1.0f, 0.5, 0.5);
    startTimer (timerId, closeDelayMs);
}

void SxSlideInComponent::timerCallback (int timerId)
{
    stopTimer (timerId);

    switch (timerId)
    {
        case slideInTimer:
            animator.animateComponent (this, getBounds().withX (0), slideInMs, false, 10, 1.0f, 0.5, 0.5);
            startTimer (pinTimer, pinDelayMs);
            break;

        case pinTimer:
        {
            animator.cancelAllAnimations (true);
            auto* main = SxMainComponentServices::getInstance();
            auto* effectPanel = main != nullptr ? main->getEffectPanel() : nullptr;
            const auto width = effectPanel != nullptr ? effectPanel->getWidth() : getWidth();
            // Its own width kept, so that it stays flush with the right edge whatever the
            // parent's width.
            SxRelativeBounds::apply (*this, juce::String::formatted ("parent.width - %d, 0, left + %d, top+parent.height", width, width));
            break;
        }

        case dismissedTimer:       finish (false); break;
        case closedWithButtonTimer: finish (true); break;
        default:                   break;
    }
}

void SxSlideInComponent::finish (bool withButton)
{
    const juce::Component::SafePointer<SxSlideInComponent> self (this);

    if (callback != nullptr)
    {
        if (withButton)
            callback->slideInClosedWithButton (this);
        else
            callback->slideInDismissed (this);
    }

    if (self == nullptr)
        return;

    if (auto* main = SxMainComponentServices::getInstance())
        main->exitModal (this);
    else
        exitModalState (1);

    delete this;
}
