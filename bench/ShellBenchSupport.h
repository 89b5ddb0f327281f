#pragma once

// What the shell's benchmarks share: the framework's GUI started once, with the settings and
// data of the main component in a temporary folder, never the user's.

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

namespace ShellBench
{
    inline void startGui()
    {
        static const juce::TemporaryFile home;
        static const bool foldersSet = [] {
            home.getFile().createDirectory();
            for (auto* variable : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME" })
                ::setenv (variable, home.getFile().getFullPathName().toRawUTF8(), 1);
            return true;
        }();
        juce::ignoreUnused (foldersSet);
        static const juce::ScopedJuceInitialiser_GUI gui;
    }
}
