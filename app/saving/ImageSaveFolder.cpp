#include "ImageSaveFolder.h"

#include "AppSettings.h"
#include "PlatformPaths.h"

juce::File ImageSaveFolder::choose (bool useImageLocation, const juce::File& imageFile, const juce::String& lastDirectoryForSave)
{
    if (useImageLocation && imageFile != juce::File() && imageFile.getParentDirectory().isDirectory())
        return imageFile.getParentDirectory();

    if (juce::File::isAbsolutePath (lastDirectoryForSave) && juce::File (lastDirectoryForSave).isDirectory())
        return juce::File (lastDirectoryForSave);

    return PlatformPaths::getUserPicturesFolder();
}

juce::File ImageSaveFolder::choose (const AppSettings& settings, bool useImageLocation, const juce::File& imageFile)
{
    return choose (useImageLocation, imageFile, settings.get (SettingsKeys::lastDirectoryForSave));
}

void ImageSaveFolder::remember (AppSettings& settings, const juce::File& savedFile)
{
    settings.set (SettingsKeys::lastDirectoryForSave, savedFile.getParentDirectory().getFullPathName());
}
