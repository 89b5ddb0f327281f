#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <string>

namespace sxtest
{
    /** A fresh empty folder under the system temp folder, removed when the object dies. */
    class TempFolder
    {
    public:
        TempFolder();
        ~TempFolder();
        const juce::File& get() const noexcept { return folder; }

    private:
        juce::File folder;
    };

    /** Largest per-byte difference of two equally long byte runs; -1 when lengths differ. */
    int maxByteDifference (const uint8_t* a, const uint8_t* b, size_t length);

    /** Folder where failing image tests leave their actual and diff images. */
    juce::File failureOutputFolder();
}
