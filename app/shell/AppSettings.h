#pragma once

#include "SettingsKeys.h"

#include <juce_data_structures/juce_data_structures.h>
#include <juce_graphics/juce_graphics.h>

#include <memory>

/** The per-user settings file: the framework's properties file in its XML form, in the
    user's config folder (never a folder of its own in the home folder).

    Changes are written 3 s after the last one, at once by saveIfNeeded, and when the
    object goes away. A missing or unreadable file gives every key its default (and is
    replaced by the next save); the file is replaced whole, never half-written.

    Message thread only (the delayed save runs on a framework timer).
*/
class AppSettings
{
public:
    /** Reads file when it exists. */
    explicit AppSettings (const juce::File& file);
    /** Writes pending changes. */
    ~AppSettings();

    /** <user config folder>/<appName>/<appName>.plist */
    static juce::File getDefaultFile (const juce::String& appName);

    /** The options the file is kept with: XML, saved 3000 ms after a change, key names
        case-sensitive, private to the user. */
    static juce::PropertiesFile::Options getOptions (const juce::String& appName);

    bool get (SettingsKeys::BoolKey key) const;
    int get (SettingsKeys::IntKey key) const;
    juce::String get (SettingsKeys::StringKey key) const;
    juce::Colour get (SettingsKeys::ColourKey key) const;
    std::unique_ptr<juce::XmlElement> get (SettingsKeys::XmlKey key) const;

    void set (SettingsKeys::BoolKey key, bool value);
    void set (SettingsKeys::IntKey key, int value);
    void set (SettingsKeys::StringKey key, const juce::String& value);
    void set (SettingsKeys::ColourKey key, juce::Colour value);
    void set (SettingsKeys::XmlKey key, const juce::XmlElement* value);
    void remove (const char* keyName);

    /** Writes the file now when it has unsaved changes; false when that write failed. */
    bool saveIfNeeded();

    /** The file's own interface, for the parts of the program that keep keys of their own. */
    juce::PropertiesFile& getPropertiesFile() noexcept  { return *properties; }
    const juce::File& getFile() const noexcept          { return properties->getFile(); }

private:
    std::unique_ptr<juce::PropertiesFile> properties;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AppSettings)
};
