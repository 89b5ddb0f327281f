#include "WatercolorFactoryPresets.h"

#include "FactoryThumbnails.h"

#include <array>

namespace
{
    struct PresetRow
    {
        const char* fileName;
        std::array<const char*, 21> lines;
    };

    // Line order: Color Area, Wet Edges, Area Fill, Variation, Paint Strength, Ink Outline,
    // Outline Detail, Ink Fill, Colour Shift, (unused), ink R G B A, ink strength,
    // (unused), canvas R G B A, paper.
    constexpr std::array<PresetRow, 16> presetTable {{
        { "Stylized 01.pre", { "0", "0.25", "0.3435374", "0.125", "0.75", "0.3344828", "0.5", "0.5", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper37.jpg" } },
        { "Stylized 02.pre", { "1", "0.25", "0.5136054", "0", "0.75", "0.5965517", "0.2517241", "0.5", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper13.jpg" } },
        { "Stylized 03.pre", { "1", "0.1598639", "0.8197279", "0.125", "0.75", "0.5551724", "0.5344828", "0.5", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper37.jpg" } },
        { "Stylized 04.pre", { "0", "0.1598639", "0.6428571", "0.125", "0.75", "0.3344828", "0.7482759", "0.6931034", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper37.jpg" } },
        { "Stylized 05.pre", { "0", "0.2959184", "0.3231293", "0.4310345", "0.75", "0.9206896", "0.6103448", "0.7482759", "0.5", "0", "59", "23", "11", "255", "0.8862069", "0.5", "255", "255", "255", "255", "Aged-Paper33.jpg" } },
        { "Stylized 06.pre", { "0", "0.1598639", "0.6428571", "0.125", "0.75", "0.3344828", "0.7482759", "0.6931034", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper28.jpg" } },
        { "Stylized 07.pre", { "0", "0.1598639", "0.6428571", "0.125", "0.75", "0.5689655", "0.8862069", "0.7068965", "0.2448276", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper32.jpg" } },
        { "Stylized 08.pre", { "1", "0.25", "0.7380952", "0.125", "0.75", "0.25", "0.6931034", "0.5", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper16.jpg" } },
        { "Abstract 01.pre", { "0", "0.3027211", "0.7176871", "0.125", "0.75", "0.2931035", "0.7896551", "0.2655172", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper15.jpg" } },
        { "Abstract 02.pre", { "0", "0.3027211", "0.5680272", "0.125", "0.75", "0.2931035", "0.7896551", "0.2655172", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper13.jpg" } },
        { "Abstract 03.pre", { "1", "0.3027211", "0.8129252", "0.2517241", "0.7482759", "0.7275862", "0.6310345", "0.6655173", "0.5", "0", "0", "0", "0", "255", "0.7965517", "0.5", "255", "255", "255", "255", "Aged-Paper31.jpg" } },
        { "Abstract 04.pre", { "0", "0.3911565", "0.9081632", "0.162069", "0.8586207", "0.6517242", "0.3413793", "0.7137931", "0.5", "0", "62", "43", "12", "255", "0.6034483", "0.5", "255", "255", "255", "255", "Aged-Paper21.jpg" } },
        { "Abstract 05.pre", { "0", "0.3231293", "0.25", "0.125", "0.75", "0.8172414", "0.4931034", "0.2655172", "0.5", "0", "55", "15", "0", "255", "0.9", "0.5", "255", "255", "255", "255", "Aged-Paper37.jpg" } },
        { "Abstract 06.pre", { "2", "0.1870748", "0.9013606", "0.5413793", "0.7482759", "0.7689655", "0.3689655", "0.7344828", "0.5", "0", "23", "16", "6", "255", "0.8586207", "0.5", "255", "255", "255", "255", "Aged-Paper22.jpg" } },
        { "Abstract 07.pre", { "2", "0.4251701", "0.9013606", "0.4241379", "0.7482759", "0.7689655", "0.5275862", "0.7344828", "0.5", "0", "23", "16", "6", "255", "0.8586207", "0.5", "255", "255", "255", "255", "Aged-Paper35.jpg" } },
        { "Abstract 08.pre", { "2", "0.1870748", "0.9013606", "0.5413793", "0.7482759", "0.7689655", "0.3689655", "0.7344828", "0.5", "0", "23", "16", "6", "255", "0.8586207", "0.5", "255", "255", "255", "255", "Aged-Paper37.jpg" } },
    }};

    juce::String makeText (const PresetRow& row)
    {
        juce::StringArray lines;
        for (const auto* line : row.lines)
            lines.add (line);
        return lines.joinIntoString ("\n");
    }
}

std::vector<WatercolorFactoryPresets::PresetFile> WatercolorFactoryPresets::getPresetFiles (const juce::String& shortName)
{
    std::vector<PresetFile> files;
    if (shortName.isEmpty())
        return files;
    for (const auto& row : presetTable)
        if (juce::String (row.fileName).startsWith (shortName + " "))
            files.push_back ({ row.fileName, makeText (row) });
    return files;
}

std::vector<WatercolorFactoryPresets::InstallFile> WatercolorFactoryPresets::getThumbnailFiles (const juce::String& shortName)
{
    std::vector<InstallFile> files;
    for (const auto& preset : getPresetFiles (shortName))
    {
        const auto name = preset.fileName.dropLastCharacters (4) + ".jpg";
        for (const auto& entry : FactoryThumbnails::getEntries())
            if (name == entry.fileName)
                files.push_back ({ name, juce::MemoryBlock (entry.data, entry.size) });
    }
    return files;
}

std::vector<WatercolorFactoryPresets::InstallFile> WatercolorFactoryPresets::getInstallFiles (const juce::String& shortName)
{
    const auto thumbnails = getThumbnailFiles (shortName);
    std::vector<InstallFile> files;
    for (const auto& preset : getPresetFiles (shortName))
    {
        const auto thumbnailName = preset.fileName.dropLastCharacters (4) + ".jpg";
        for (const auto& thumbnail : thumbnails)
            if (thumbnail.fileName == thumbnailName)
                files.push_back (thumbnail);
        files.push_back ({ preset.fileName, juce::MemoryBlock (preset.text.toRawUTF8(), preset.text.getNumBytesAsUTF8()) });
    }
    return files;
}
