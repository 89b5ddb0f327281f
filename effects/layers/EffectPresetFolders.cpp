#include "EffectPresetFolders.h"

#include "AppIdentity.h"
#include "AtomicFileWriter.h"
#include "PlatformPaths.h"

namespace
{
    bool isPlainName (const juce::String& name)
    {
        return name.isNotEmpty() && name != "." && name != ".."
            && ! name.containsChar ('/') && ! name.containsChar ('\\') && ! name.containsChar (0);
    }
}

juce::File EffectPresetFolders::getPresetsFolder()
{
    return PlatformPaths::getUserDataFolder().getChildFile (AppIdentity::getAppName()).getChildFile ("EffectPresets");
}

juce::File EffectPresetFolders::getEffectPresetFolder (const juce::String& displayName)
{
    if (! isPlainName (displayName))
        return {};
    return getPresetsFolder().getChildFile (displayName);
}

bool EffectPresetFolders::holdsPresets (const juce::File& folder)
{
    if (folder == juce::File() || ! folder.isDirectory())
        return false;
    return folder.getNumberOfChildFiles (juce::File::findFiles | juce::File::ignoreHiddenFiles) >= 2;
}

bool EffectPresetFolders::writePresetFile (const juce::File& folder, const juce::String& fileName,
                                           const void* data, size_t size)
{
    if (folder == juce::File() || ! isPlainName (fileName) || (data == nullptr && size > 0))
        return false;
    if (! folder.createDirectory())
        return false;

    const auto target = folder.getChildFile (fileName);
    if (target.isDirectory())
        return false;

    // A write cut short never counts as a preset of the folder.
    return AtomicFileWriter::writeBytes (target, data, size);
}
