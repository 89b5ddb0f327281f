#pragma once

#include <juce_core/juce_core.h>

class AppSettings;

/** Where the save panel opens, and what it remembers.

    With "useImageLocation" the folder of the opened image; otherwise the folder of the last
    saved image ("LastDirectoryForSave"); without either (nothing remembered, no image, or
    a folder that is gone) the user's pictures folder, else the home folder.
*/
namespace ImageSaveFolder
{
    /** The folder the panel opens in; always an existing folder when the pictures or the
        home folder exists. */
    juce::File choose (bool useImageLocation, const juce::File& imageFile, const juce::String& lastDirectoryForSave);

    /** The same from the settings ("LastDirectoryForSave"). */
    juce::File choose (const AppSettings& settings, bool useImageLocation, const juce::File& imageFile);

    /** Stores the folder of a file the user chose to save as "LastDirectoryForSave"; called
        only when the panel answers Save. */
    void remember (AppSettings& settings, const juce::File& savedFile);
}
