#pragma once

#include <juce_core/juce_core.h>

/** The folders that hold each effect type's single-effect presets:
    <user data folder>/<application name>/EffectPresets/<effect display name>/.

    The user data folder is the XDG data folder (PlatformPaths), which tests redirect.
*/
namespace EffectPresetFolders
{
    /** The "EffectPresets" folder; not created. */
    juce::File getPresetsFolder();

    /** The preset folder of the effect with this display name; not created. A name that
        is not a plain folder name (empty, ".", "..", or holding a "/") gives the
        nonexistent file, so nothing can be read or written outside the presets folder. */
    juce::File getEffectPresetFolder (const juce::String& displayName);

    /** True when the folder exists and holds at least two non-hidden files (folders are
        not counted): one file alone is not a populated folder. */
    bool holdsPresets (const juce::File& folder);

    /** Writes size bytes as the folder's child fileName, creating missing folders. The
        bytes go to a temporary file first, which then replaces the old file, so a failing
        write leaves the old file as it was. False when the file was not written (also for
        a fileName that is not a plain file name). */
    bool writePresetFile (const juce::File& folder, const juce::String& fileName, const void* data, size_t size);
}
