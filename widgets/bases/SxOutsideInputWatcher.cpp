#include "SxOutsideInputWatcher.h"

#include "SxOutsideModalInput.h"

JUCE_IMPLEMENT_SINGLETON (SxOutsideInputWatcher)

SxOutsideInputWatcher::~SxOutsideInputWatcher()
{
    stopTimer();
    clearSingletonInstance();
}

void SxOutsideInputWatcher::arm (juce::Component& modal)
{
    armedFor = &modal;
    startTimer (pollIntervalMs);
}

void SxOutsideInputWatcher::disarm()
{
    stopTimer();
    armedFor = nullptr;
}

void SxOutsideInputWatcher::timerCallback()
{
    if (juce::Desktop::getInstance().getNumDraggingMouseSources() > 0)
        return;

    auto* modal = armedFor.get();
    disarm();

    if (modal != nullptr)
        deliver (*modal);
}

void SxOutsideInputWatcher::deliver (juce::Component& modal)
{
    if (! modal.isCurrentlyModal (true))
        return;

    if (auto* target = dynamic_cast<SxOutsideModalInput*> (&modal))
        target->inputAttemptOutsideModal();
}
