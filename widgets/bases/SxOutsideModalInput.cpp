#include "SxOutsideModalInput.h"

#include "SxOutsideInputWatcher.h"

void SxOutsideModalInput::reactToBlockedInput (juce::Component& modal, const std::function<void()>& pressReaction)
{
    if (juce::Desktop::getInstance().getNumDraggingMouseSources() == 0)
    {
        // A drop or a focus move: this input has no release to wait for.
        SxOutsideInputWatcher::deliver (modal);
        return;
    }

    const juce::WeakReference<juce::Component> safeModal (&modal);
    if (pressReaction != nullptr)
        pressReaction();
    else
        modal.juce::Component::inputAttemptWhenModal();

    if (auto* stillThere = safeModal.get())
        SxOutsideInputWatcher::getInstance()->arm (*stillThere);
}
