#include "SpriteFrameDescription.h"

#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <algorithm>
#include <cmath>

namespace
{
    void setNumber (SxPropertySet& set, const juce::String& key, double value)
    {
        if (value == std::trunc (value) && std::abs (value) < 2147483647.0)
            setIntProperty (set, key, (int) value);
        else
            setDoubleProperty (set, key, value);
    }

    /** The frame numbers 1 ... count that have a width entry, ascending. Collecting them
        from the keys keeps a huge "count" from costing a loop over absent frames. */
    std::vector<juce::int64> framesWithWidth (SxPropertySet& set, double count)
    {
        std::vector<juce::int64> numbers;

        for (const auto& key : set.getAllProperties().getAllKeys())
        {
            if (! key.endsWith ("_width"))
                continue;

            const auto digits = key.dropLastCharacters (6);
            const auto number = digits.getLargeIntValue();

            if (number >= 1 && (double) number <= count && digits == juce::String (number))
                numbers.push_back (number);
        }

        std::sort (numbers.begin(), numbers.end());
        numbers.erase (std::unique (numbers.begin(), numbers.end()), numbers.end());
        return numbers;
    }
}

juce::String SpriteFrameDescription::write (const std::vector<Entry>& entries)
{
    SxPropertySet set;
    setIntProperty (set, "count", (int) entries.size());

    for (size_t i = 0; i < entries.size(); ++i)
    {
        const auto prefix = juce::String ((int) i + 1) + "_";
        setStringProperty (set, prefix + "name", entries[i].name);
        setNumber (set, prefix + "x", entries[i].x);
        setNumber (set, prefix + "y", entries[i].y);
        setNumber (set, prefix + "width", entries[i].width);
        setNumber (set, prefix + "height", entries[i].height);
    }

    return set.createPlistXml()->toString();
}

std::vector<SpriteFrameDescription::Entry> SpriteFrameDescription::read (const juce::String& text)
{
    std::vector<Entry> entries;
    auto xml = SxPropertySet::parseXmlText (text);
    if (xml == nullptr)
        return entries;

    SxPropertySet set;
    set.restoreFromPlistXml (*xml);
    const auto count = std::trunc (set.getValue ("count").getDoubleValue());

    for (const auto number : framesWithWidth (set, count))
    {
        const auto prefix = juce::String (number) + "_";
        const auto value = [&] (const char* field) { return set.getValue (prefix + field).getDoubleValue(); };
        entries.push_back ({ set.getValue (prefix + "name"), value ("x"), value ("y"), value ("width"), value ("height") });
    }
    return entries;
}
