#include "PlatformOpenPanel.h"

#include <mutex>

namespace
{
    std::mutex runnerLock;
    PlatformOpenPanel::Runner installedRunner;

    juce::File runFileChooser (const PlatformOpenPanel::Request& request)
    {
        juce::FileChooser chooser (request.title, request.startFolder, request.patterns);
        if (! chooser.browseForFileToOpen())
            return {};
        return chooser.getResult();
    }
}

juce::File PlatformOpenPanel::chooseFile (const Request& request)
{
    Runner runner;
    {
        const std::lock_guard<std::mutex> lock (runnerLock);
        runner = installedRunner;
    }
    return runner ? runner (request) : runFileChooser (request);
}

void PlatformOpenPanel::setRunner (Runner runner)
{
    const std::lock_guard<std::mutex> lock (runnerLock);
    installedRunner = std::move (runner);
}
