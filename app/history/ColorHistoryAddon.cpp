#include "ColorHistoryAddon.h"

#include "AtomicFileWriter.h"
#include "PlatformPaths.h"
#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <juce_events/juce_events.h>

#include <cstring>
#include <map>
#include <optional>
#include <utility>

namespace
{
    /** One channel's key stems in the file and in a project, and its place in the word. */
    struct Channel
    {
        const char* fileStem;
        const char* projectStem;
        int shift;
    };

    constexpr Channel channels[] = { { "red", "ColorRed", 8 }, { "green", "ColorGreen", 16 },
                                     { "blue", "ColorBlue", 24 }, { "alpha", "ColorAlpha", 0 } };

    using KeyValues = std::vector<std::pair<juce::String, juce::String>>;

    uint8_t channelOf (uint32_t word, int shift) noexcept
    {
        return (uint8_t) (word >> shift);
    }

    /** The index of a key made of stem and a decimal index written without leading zeros,
        or -1. */
    int indexAfter (const juce::String& key, const char* stem)
    {
        if (! key.startsWith (stem))
            return -1;
        const auto digits = key.substring ((int) std::strlen (stem));
        if (digits.isEmpty() || digits.length() > 9 || ! digits.containsOnly ("0123456789")
            || (digits.length() > 1 && digits[0] == '0'))
            return -1;
        return digits.getIntValue();
    }

    /** Every entry named in the pairs, in one pass: index to colour word, channels that are
        not given 0, values held to 0 .. 255 (so that no channel spills into another). */
    std::map<int, uint32_t> entriesIn (const KeyValues& pairs, bool projectKeys)
    {
        std::map<int, uint32_t> entries;
        for (const auto& [key, value] : pairs)
            for (const auto& channel : channels)
                if (const int index = indexAfter (key, projectKeys ? channel.projectStem : channel.fileStem); index >= 0)
                    entries[index] |= (uint32_t) juce::jlimit (0, 255, value.getIntValue()) << channel.shift;
        return entries;
    }

    /** The keys and values of a history file in their order: none for a missing file,
        nothing for one that is refused. */
    std::optional<KeyValues> readFile (const juce::File& file)
    {
        if (! file.exists())
            return KeyValues {};
        if (! file.existsAsFile() || file.getSize() > ColorHistoryAddon::maxFileBytes)
            return std::nullopt;

        const auto root = SxPropertySet::parseXmlText (file.loadFileAsString());
        if (root == nullptr || ! root->hasTagName ("PROPERTIES"))
            return std::nullopt;

        KeyValues values;
        for (const auto* element : root->getChildWithTagNameIterator ("VALUE"))
            if (const auto name = element->getStringAttribute ("name"); name.isNotEmpty())
                values.emplace_back (name, element->getStringAttribute ("val"));
        return values;
    }

    KeyValues keyValuesOf (const juce::PropertySet& set)
    {
        // The framework offers the pairs only through a non-const accessor.
        const auto& pairs = const_cast<juce::PropertySet&> (set).getAllProperties();
        KeyValues values;
        values.reserve ((size_t) pairs.size());
        for (int i = 0; i < pairs.size(); ++i)
            values.emplace_back (pairs.getAllKeys()[i], pairs.getAllValues()[i]);
        return values;
    }
}

juce::File ColorHistoryAddon::getDefaultFile (const juce::String& applicationName)
{
    return PlatformPaths::getUserConfigFolder().getChildFile (applicationName).getChildFile ("Color History.plist");
}

juce::File ColorHistoryAddon::getHistoryFile() const
{
    if (historyFile != juce::File())
        return historyFile;
    if (auto* application = juce::JUCEApplicationBase::getInstance())
        return getDefaultFile (application->getApplicationName());
    return {};
}

bool ColorHistoryAddon::loadFromFile()
{
    colors.clear();
    const auto file = getHistoryFile();
    const auto values = file != juce::File() ? readFile (file) : std::optional<KeyValues> (KeyValues {});
    if (! values)
        return false;

    const auto entries = entriesIn (*values, false);
    for (int i = 0; i < maxColors; ++i)
    {
        const auto found = entries.find (i);
        colors.push_back (found != entries.end() ? found->second : 0u);
    }
    return true;
}

bool ColorHistoryAddon::saveToFile()
{
    const auto file = getHistoryFile();
    if (file == juce::File() || ! file.getParentDirectory().createDirectory())
        return false;

    // Keys of higher indices stay; a file that is refused is replaced.
    auto values = readFile (file).value_or (KeyValues {});
    std::map<juce::String, size_t> positions;
    for (size_t i = 0; i < values.size(); ++i)
        positions.emplace (values[i].first, i);

    for (size_t i = 0; i < colors.size(); ++i)
        for (const auto& channel : channels)
        {
            const auto key = channel.fileStem + juce::String ((int) i);
            const juce::String value ((int) channelOf (colors[i], channel.shift));
            if (const auto found = positions.find (key); found != positions.end())
                values[found->second].second = value;
            else
            {
                positions.emplace (key, values.size());
                values.emplace_back (key, value);
            }
        }

    juce::XmlElement root ("PROPERTIES");
    for (const auto& [key, value] : values)
    {
        auto* element = root.createNewChildElement ("VALUE");
        element->setAttribute ("name", key);
        element->setAttribute ("val", value);
    }
    const auto text = root.toString();
    return AtomicFileWriter::writeBytes (file, text.toRawUTF8(), text.getNumBytesAsUTF8());
}

void ColorHistoryAddon::importFromPropertySet (const juce::PropertySet& project)
{
    const auto entries = entriesIn (keyValuesOf (project), true);

    // A count beyond the entries present only stands for entries of 0; it is held to
    // what the keys could fill, as a default-sized list is always allowed.
    const int present = juce::jmax (maxColors, (int) entries.size());
    const int count = juce::jmin (project.getIntValue ("totalColors", maxColors), present, maxImportedColors);

    colors.clear();
    for (int i = 0; i < count; ++i)
    {
        const auto found = entries.find (i);
        colors.push_back (found != entries.end() ? found->second : 0u);
    }
    saveToFile();
}

void ColorHistoryAddon::exportToPropertySet (juce::PropertySet& project) const
{
    setIntProperty (project, "totalColors", (int) colors.size());
    for (size_t i = 0; i < colors.size(); ++i)
        for (const auto& channel : channels)
            setIntProperty (project, channel.projectStem + juce::String ((int) i), channelOf (colors[i], channel.shift));
}
