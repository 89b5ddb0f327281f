#include "SaveProjectQuestion.h"

#include <mutex>

namespace
{
    std::mutex runnerLock;
    SaveProjectQuestion::Runner installedRunner;

    SaveProjectQuestion::Runner currentRunner()
    {
        const std::lock_guard<std::mutex> lock (runnerLock);
        return installedRunner;
    }

    // The window's return values; 0 is also what a window dismissed from outside gives.
    constexpr int yesResult = 1, noResult = 2, cancelResult = 0;

    SaveProjectQuestion::Answer answerFor (int result)
    {
        switch (result)
        {
            case yesResult: return SaveProjectQuestion::Answer::yes;
            case noResult:  return SaveProjectQuestion::Answer::no;
            default:        return SaveProjectQuestion::Answer::cancel;
        }
    }
}

void SaveProjectQuestion::ask (juce::Component& owner, std::function<void (Answer)> handler)
{
    if (auto runner = currentRunner())
    {
        const auto answer = runner();
        juce::MessageManager::callAsync ([handler = std::move (handler), answer]
        {
            if (handler)
                handler (answer);
        });
        return;
    }

    auto* window = new juce::AlertWindow (title, message, juce::MessageBoxIconType::NoIcon, &owner);
    // The window's name is its title.
    window->setComponentID (windowID);
    window->addButton ("Yes", yesResult, juce::KeyPress (juce::KeyPress::returnKey));
    window->addButton ("No", noResult);
    window->addButton ("Cancel", cancelResult, juce::KeyPress (juce::KeyPress::escapeKey));
    window->enterModalState (true, juce::ModalCallbackFunction::create ([handler = std::move (handler)] (int result)
    {
        if (handler)
            handler (answerFor (result));
    }), true);
}

juce::AlertWindow* SaveProjectQuestion::findShowing()
{
    auto& desktop = juce::Desktop::getInstance();
    for (int i = desktop.getNumComponents(); --i >= 0;)
        if (auto* window = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            if (window->getComponentID() == windowID && window->isShowing())
                return window;
    return nullptr;
}

void SaveProjectQuestion::setRunner (Runner runner)
{
    const std::lock_guard<std::mutex> lock (runnerLock);
    installedRunner = std::move (runner);
}
