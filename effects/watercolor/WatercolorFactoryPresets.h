#pragma once

#include <juce_core/juce_core.h>

#include <vector>

/** The factory presets shipped with the watercolour effects, in their text form.

    Each preset also has a ".jpg" thumbnail of the same name, rendered at build time and
    embedded (FactoryThumbnails). Each ".pre" file is 21 lines (see WatercolorSettings::applyTextPreset), joined with
    "\n" and with no final line break; its text is generated from the value table in the
    .cpp, which keeps every value exactly as the preset was authored.
*/
namespace WatercolorFactoryPresets
{
    /** One embedded preset file. */
    struct PresetFile
    {
        juce::String fileName;  // "Stylized 01.pre" ...
        juce::String text;      // the file's UTF-8 contents
    };

    /** The eight ".pre" files of the effect with this short name ("Stylized" or
        "Abstract"), numbered 01 to 08 in install order; none for any other name. */
    std::vector<PresetFile> getPresetFiles (const juce::String& shortName);

    /** One file as the preset installer writes it. */
    struct InstallFile
    {
        juce::String fileName;       // "Stylized 01.jpg", "Stylized 01.pre" ...
        juce::MemoryBlock contents;
    };

    /** The embedded ".jpg" thumbnails of the effect with this short name, 01 to 08 (none
        in a build without thumbnails). */
    std::vector<InstallFile> getThumbnailFiles (const juce::String& shortName);

    /** Every file of the effect in install order: per preset its thumbnail, when
        embedded, then its ".pre" text ("Stylized 01.jpg", "Stylized 01.pre", ...). */
    std::vector<InstallFile> getInstallFiles (const juce::String& shortName);
}
