#include "PlatformResources.h"

juce::Array<juce::File> PlatformResources::getResourceFolders()
{
    juce::Array<juce::File> folders;

    const auto overrideDir = juce::SystemStats::getEnvironmentVariable ("SX_RESOURCE_DIR", {});
    if (overrideDir.isNotEmpty())
    {
        if (juce::File::isAbsolutePath (overrideDir))
            folders.add (juce::File (overrideDir));
        return folders;
    }

    const auto exeDir = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    const auto prefix = exeDir.getParentDirectory();
    folders.add (exeDir);
    folders.add (exeDir.getChildFile ("resources"));
    folders.add (prefix.getChildFile ("resources"));
    folders.add (prefix.getChildFile ("share").getChildFile ("quenzella-tolva"));
    return folders;
}

juce::File PlatformResources::findResource (const juce::String& name, const juce::String& type)
{
    if (name.isEmpty())
        return {};

    const auto fileName = type.isEmpty() ? name : name + "." + type;
    // A name that climbs out of the folder is not a resource.
    if (fileName.containsChar ('/') || fileName.containsChar ('\\'))
        return {};

    for (const auto& folder : getResourceFolders())
    {
        const auto candidate = folder.getChildFile (fileName);
        if (candidate.existsAsFile())
            return candidate;
    }
    return {};
}
