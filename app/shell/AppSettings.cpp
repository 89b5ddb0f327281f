#include "AppSettings.h"

#include "PlatformPaths.h"

namespace
{
    juce::String channelKey (SettingsKeys::ColourKey key, const char* channel)
    {
        return juce::String (key.name) + channel;
    }
}

AppSettings::AppSettings (const juce::File& file)
    : properties (std::make_unique<juce::PropertiesFile> (file, getOptions (file.getFileNameWithoutExtension())))
{
}

AppSettings::~AppSettings()
{
    properties->saveIfNeeded();
}

juce::File AppSettings::getDefaultFile (const juce::String& appName)
{
    return PlatformPaths::getUserConfigFolder().getChildFile (appName).getChildFile (appName + ".plist");
}

juce::PropertiesFile::Options AppSettings::getOptions (const juce::String& appName)
{
    juce::PropertiesFile::Options options;
    options.applicationName = appName;
    options.folderName = appName;
    options.filenameSuffix = "plist";
    options.osxLibrarySubFolder = "Application Support";
    options.commonToAllUsers = false;
    options.ignoreCaseOfKeyNames = false;
    options.doNotSave = false;
    options.millisecondsBeforeSaving = 3000;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    return options;
}

bool AppSettings::get (SettingsKeys::BoolKey key) const
{
    return properties->getBoolValue (key.name, key.fallback);
}

int AppSettings::get (SettingsKeys::IntKey key) const
{
    return properties->getIntValue (key.name, key.fallback);
}

juce::String AppSettings::get (SettingsKeys::StringKey key) const
{
    return properties->getValue (key.name, {});
}

juce::Colour AppSettings::get (SettingsKeys::ColourKey key) const
{
    auto channel = [this, key] (const char* suffix, juce::uint8 fallback)
    {
        return (juce::uint8) juce::jlimit (0, 255, properties->getIntValue (channelKey (key, suffix), fallback));
    };
    return juce::Colour (channel (".red", key.red), channel (".green", key.green),
                         channel (".blue", key.blue), channel (".alpha", key.alpha));
}

std::unique_ptr<juce::XmlElement> AppSettings::get (SettingsKeys::XmlKey key) const
{
    return properties->getXmlValue (key.name);
}

void AppSettings::set (SettingsKeys::BoolKey key, bool value)
{
    properties->setValue (key.name, value);
}

void AppSettings::set (SettingsKeys::IntKey key, int value)
{
    properties->setValue (key.name, value);
}

void AppSettings::set (SettingsKeys::StringKey key, const juce::String& value)
{
    properties->setValue (key.name, value);
}

void AppSettings::set (SettingsKeys::ColourKey key, juce::Colour value)
{
    properties->setValue (channelKey (key, ".red"), (int) value.getRed());
    properties->setValue (channelKey (key, ".green"), (int) value.getGreen());
    properties->setValue (channelKey (key, ".blue"), (int) value.getBlue());
    properties->setValue (channelKey (key, ".alpha"), (int) value.getAlpha());
}

void AppSettings::set (SettingsKeys::XmlKey key, const juce::XmlElement* value)
{
    properties->setValue (key.name, value);
}

void AppSettings::remove (const char* keyName)
{
    properties->removeValue (keyName);
}

bool AppSettings::saveIfNeeded()
{
    return properties->saveIfNeeded();
}
