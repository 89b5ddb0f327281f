#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** The per-user defaults store of the desktop: a small properties file of the
    application under PlatformPaths::getUserConfigFolder(), read on each call and
    saved at once on each change, so every part of the process sees the same values.
*/
struct PlatformUserDefaults
{
    /** The file the defaults live in. */
    static juce::File getFile();

    /** The text stored under key, or fallback when there is none. */
    static juce::String getString (const juce::String& key, const juce::String& fallback = {});

    /** Stores text under key and saves the file; false when it cannot be written. */
    static bool setString (const juce::String& key, const juce::String& value);
};
