#pragma once

#include "ImageSaveButton.h"

/** The question the save sheet asks before it replaces a file: it dims the sheet, takes
    its clicks and offers "Cancel" ("keepFileButton", also Escape and Return) and
    "Replace" ("replaceFileButton"). */
class ImageSaveReplacePrompt : public juce::Component
{
public:
    ImageSaveReplacePrompt();

    std::function<void()> onReplace;
    std::function<void()> onKeep;

    /** Asks about file, in front of the sheet's controls, with the keyboard focus on "Cancel". */
    void ask (const juce::File& file);

    const juce::String& getQuestion() const noexcept  { return question; }
    juce::Button& getReplaceButton() noexcept         { return replaceButton; }
    juce::Button& getKeepButton() noexcept            { return keepButton; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    bool keyPressed (const juce::KeyPress& key) override;

private:
    juce::String question, detail;
    ImageSaveButton keepButton { "keepFileButton", "Cancel", false };
    ImageSaveButton replaceButton { "replaceFileButton", "Replace", true };

    juce::Rectangle<int> getCard() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageSaveReplacePrompt)
};
