#pragma once

#include "TestImages.h"

#include <cstdlib>

/** Points the XDG data folder at a fresh temporary folder while it lives. */
class ScopedDataHome
{
public:
    ScopedDataHome()
    {
        if (const char* old = std::getenv ("XDG_DATA_HOME"))
            previous = old;
        ::setenv ("XDG_DATA_HOME", folder.get().getFullPathName().toRawUTF8(), 1);
    }

    ~ScopedDataHome()
    {
        if (previous.isNotEmpty())
            ::setenv ("XDG_DATA_HOME", previous.toRawUTF8(), 1);
        else
            ::unsetenv ("XDG_DATA_HOME");
    }

    const juce::File& get() const noexcept { return folder.get(); }

private:
    sxtest::TempFolder folder;
    juce::String previous;
};
