#pragma once

#include <juce_core/juce_core.h>

/** Where per-user files live on this desktop (XDG base directories).

    The data folder stands where a Mac application keeps "Application Support";
    the config folder holds settings. Both honour their environment variables
    ($XDG_DATA_HOME, $XDG_CONFIG_HOME) when set to an absolute path, which is also
    how tests redirect them to a temporary folder.
*/
struct PlatformPaths
{
    /** $XDG_DATA_HOME, else ~/.local/share. */
    static juce::File getUserDataFolder();

    /** $XDG_CONFIG_HOME, else ~/.config. */
    static juce::File getUserConfigFolder();

    /** The user's pictures folder as `xdg-user-dir PICTURES` names it: XDG_PICTURES_DIR
        from user-dirs.dirs in the config folder, else from the environment; the home
        folder when neither names an existing folder. */
    static juce::File getUserPicturesFolder();

    /** getUserDataFolder()/appName, created when missing. */
    static juce::File getApplicationDataFolder (const juce::String& appName);
};
