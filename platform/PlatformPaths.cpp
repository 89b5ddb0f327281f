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
}

juce::File PlatformPaths::getUserDataFolder()
{
    return folderFromEnvironment ("XDG_DATA_HOME", ".local/share");
}

juce::File PlatformPaths::getUserConfigFolder()
{
    return folderFromEnvironment ("XDG_CONFIG_HOME", ".config");
}

juce::File PlatformPaths::getApplicationDataFolder (const juce::String& appName)
{
    auto folder = getUserDataFolder().getChildFile (appName);
    folder.createDirectory();
    return folder;
}
