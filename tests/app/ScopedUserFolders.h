#pragma once

#include "TestImages.h"

#include <cstdlib>
#include <map>

#include <sys/stat.h>

/** Points $HOME and every XDG folder at folders of a fresh temporary tree while it lives,
    so a test sees a first start and can tell what was written where. The runtime folder is
    private (0700), as the desktop makes it. */
class ScopedUserFolders
{
public:
    ScopedUserFolders()
    {
        for (const auto& [variable, name] : folders)
        {
            const auto folder = root.get().getChildFile (name);
            folder.createDirectory();
            if (const char* old = std::getenv (variable))
                previous[variable] = old;
            ::setenv (variable, folder.getFullPathName().toRawUTF8(), 1);
        }
        ::chmod (runtime().getFullPathName().toRawUTF8(), 0700);
    }

    ~ScopedUserFolders()
    {
        for (const auto& [variable, name] : folders)
        {
            if (auto old = previous.find (variable); old != previous.end())
                ::setenv (variable, old->second.toRawUTF8(), 1);
            else
                ::unsetenv (variable);
        }
    }

    juce::File home() const     { return root.get().getChildFile ("home"); }
    juce::File config() const   { return root.get().getChildFile ("config"); }
    juce::File data() const     { return root.get().getChildFile ("data"); }
    juce::File cache() const    { return root.get().getChildFile ("cache"); }
    juce::File runtime() const  { return root.get().getChildFile ("runtime"); }
    const juce::File& getRoot() const noexcept  { return root.get(); }

    /** The settings file of the application named appName. */
    juce::File settingsFile (const juce::String& appName) const
    {
        return config().getChildFile (appName).getChildFile (appName + ".plist");
    }

    /** Everything in the tree, as paths relative to folder. */
    static juce::StringArray listAll (const juce::File& folder)
    {
        juce::StringArray names;
        for (const auto& entry : folder.findChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, true))
            names.add (entry.getRelativePathFrom (folder));
        for (const auto& entry : folder.findChildFiles (juce::File::findFilesAndDirectories, true, ".*"))
            names.addIfNotAlreadyThere (entry.getRelativePathFrom (folder));
        names.sort (false);
        return names;
    }

private:
    static inline const std::pair<const char*, const char*> folders[] = {
        { "HOME", "home" }, { "XDG_CONFIG_HOME", "config" }, { "XDG_DATA_HOME", "data" },
        { "XDG_CACHE_HOME", "cache" }, { "XDG_RUNTIME_DIR", "runtime" } };

    sxtest::TempFolder root;
    std::map<juce::String, juce::String> previous;
};
