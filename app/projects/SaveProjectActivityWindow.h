#pragma once

#include "ThreadedActivityWindow.h"

class GenericAppComponent;

/** Writes the document as a project file on a worker thread while the main component
    waits behind "Saving Project...". The result is read after runModal has returned. */
class SaveProjectActivityWindow : public ThreadedActivityWindow
{
public:
    static constexpr int stopTimeoutMs = 10000;
    static constexpr int threadPriority = 5;

    SaveProjectActivityWindow (GenericAppComponent* owner, const juce::File& target);

    /** GenericAppComponent::writeProjectFile (target), when there is an owner. */
    void run() override;

    /** What the write gave; a failure until run has written the file. */
    const juce::Result& getResult() const noexcept  { return result; }

private:
    const juce::File targetFile;
    GenericAppComponent* const owner;
    juce::Result result { juce::Result::fail ("The project was not written.") };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SaveProjectActivityWindow)
};
