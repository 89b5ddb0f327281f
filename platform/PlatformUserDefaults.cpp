#include "PlatformUserDefaults.h"

#include "PlatformPaths.h"

#include <mutex>

namespace
{
    std::mutex fileLock;

    juce::PropertiesFile::Options options()
    {
        juce::PropertiesFile::Options o;
        o.applicationName = "user-defaults";
        o.filenameSuffix = ".xml";
        o.storageFormat = juce::PropertiesFile::storeAsXML;
        o.millisecondsBeforeSaving = -1;
        return o;
    }
}

juce::File PlatformUserDefaults::getFile()
{
    return PlatformPaths::getUserConfigFolder().getChildFile ("quenzella-tolva").getChildFile ("user-defaults.xml");
}

juce::String PlatformUserDefaults::getString (const juce::String& key, const juce::String& fallback)
{
    const std::lock_guard<std::mutex> lock (fileLock);
    juce::PropertiesFile file (getFile(), options());
    return file.getValue (key, fallback);
}

bool PlatformUserDefaults::setString (const juce::String& key, const juce::String& value)
{
    const std::lock_guard<std::mutex> lock (fileLock);
    getFile().getParentDirectory().createDirectory();
    juce::PropertiesFile file (getFile(), options());
    file.setValue (key, value);
    return file.save();
}
