#include "PlatformPaths.h"

namespace
{
    juce::File folderFromEnvironment (const char* variable, const char* fallbackUnderHome)
    {
        const auto value = juce::SystemStats::getEnvironmentVariable (variable, {});
        if (juce::File::isAbsolutePath (value))
            return juce::File (value);
        return juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (fallbackUnderHome);
    }

    /** A value of user-dirs.dirs: "$HOME/relative" or "/absolute", quotes and shell
        escapes removed; empty when it is neither. */
    juce::String userDirValue (juce::String value)
    {
        value = value.trim();
        if (value.startsWithChar ('"') && value.endsWithChar ('"') && value.length() >= 2)
            value = value.substring (1, value.length() - 1);

        juce::String unescaped;
        for (auto p = value.getCharPointer(); ! p.isEmpty();)
        {
            auto c = p.getAndAdvance();
            if (c == '\\' && ! p.isEmpty())
                c = p.getAndAdvance();
            unescaped << juce::String::charToString (c);
        }

        const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName();
        if (unescaped == "$HOME" || unescaped.startsWith ("$HOME/"))
            return home + unescaped.substring (5);
        return juce::File::isAbsolutePath (unescaped) ? unescaped : juce::String();
    }
}

juce::File PlatformPaths::getUserDataFolder()
{
    return folderFromEnvironment ("XDG_DATA_HOME", ".local/share");
}

juce::File PlatformPaths::getUserConfigFolder()
{
    return folderFromEnvironment ("XDG_CONFIG_HOME", ".config");
}

juce::File PlatformPaths::getUserPicturesFolder()
{
    // The file is sourced by the shell in xdg-user-dir: its last assignment wins.
    juce::String named;
    juce::StringArray lines;
    getUserConfigFolder().getChildFile ("user-dirs.dirs").readLines (lines);
    for (const auto& line : lines)
    {
        const auto trimmed = line.trim();
        if (trimmed.startsWith ("XDG_PICTURES_DIR="))
            named = userDirValue (trimmed.fromFirstOccurrenceOf ("=", false, false));
    }
    if (named.isEmpty())
        named = userDirValue (juce::SystemStats::getEnvironmentVariable ("XDG_PICTURES_DIR", {}));

    const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    if (named.isEmpty())
        return home;
    const juce::File folder (named);
    return folder.isDirectory() ? folder : home;
}

juce::File PlatformPaths::getApplicationDataFolder (const juce::String& appName)
{
    auto folder = getUserDataFolder().getChildFile (appName);
    folder.createDirectory();
    return folder;
}
