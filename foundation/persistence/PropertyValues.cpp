#include "PropertyValues.h"

#include <charconv>

juce::String formatFloatText (double value)
{
    // to_chars in general format with precision 6 is printf's %g without the locale.
    char text[64];
    const auto result = std::to_chars (text, text + sizeof (text), value, std::chars_format::general, 6);
    return juce::String (text, (size_t) (result.ptr - text));
}

void setIntProperty (juce::PropertySet& set, juce::StringRef key, int value)
{
    setStringProperty (set, key, juce::String (value));
}

void setStringProperty (juce::PropertySet& set, juce::StringRef key, const juce::String& value)
{
    if (key.isNotEmpty())
        set.setValue (key, value);
}

void setFloatProperty (juce::PropertySet& set, juce::StringRef key, float value)
{
    setDoubleProperty (set, key, (double) value);
}

void setDoubleProperty (juce::PropertySet& set, juce::StringRef key, double value)
{
    setStringProperty (set, key, formatFloatText (value));
}

void setBoolProperty (juce::PropertySet& set, juce::StringRef key, bool value)
{
    setStringProperty (set, key, value ? "1" : "0");
}

float getFloatProperty (const juce::PropertySet& set, juce::StringRef key, float defaultValue)
{
    return (float) set.getDoubleValue (key, (double) defaultValue);
}

void setXmlProperty (juce::PropertySet& set, juce::StringRef key, const juce::XmlElement& xml)
{
    setStringProperty (set, key, xml.toString (juce::XmlElement::TextFormat().singleLine()));
}
