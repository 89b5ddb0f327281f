#include "SaveProjectQuestion.h"

#include "ImageSaveStyle.h"

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
    // The dark dialogs' colours (those of the save sheet), set before the buttons lay out the text.
    window->setColour (juce::AlertWindow::backgroundColourId, ImageSaveStyle::panel);
    window->setColour (juce::AlertWindow::textColourId, ImageSaveStyle::ink);
    window->setColour (juce::AlertWindow::outlineColourId, ImageSaveStyle::frame);
    window->addButton ("Yes", yesResult, juce::KeyPress (juce::KeyPress::returnKey));
    window->addButton ("No", noResult);
    window->addButton ("Cancel", cancelResult, juce::KeyPress (juce::KeyPress::escapeKey));

    // The answer Return gives in the accent.
    for (auto* child : window->getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*> (child))
        {
            const bool yes = button->getButtonText() == "Yes";
            button->setColour (juce::TextButton::buttonColourId, yes ? ImageSaveStyle::accent : ImageSaveStyle::button);
            button->setColour (juce::TextButton::buttonOnColourId, yes ? ImageSaveStyle::accentDown : ImageSaveStyle::buttonDown);
            button->setColour (juce::TextButton::textColourOffId, yes ? juce::Colours::black : ImageSaveStyle::ink);
        }

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
