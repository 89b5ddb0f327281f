#include "ImageFileBridges.h"

#include "PlatformImageDecoder.h"
#include "PlatformOpenPanel.h"
#include "PlatformUserDefaults.h"
#include "SxImageRgbaBytes.h"

juce::String ImageFileBridges::getImageFilePatterns()
{
    juce::StringArray patterns;
    for (const char* extension : { "NEF", "CR2", "jpeg", "jpg", "png", "tiff", "tif", "psd" })
    {
        patterns.add ("*." + juce::String (extension).toLowerCase());
        patterns.add ("*." + juce::String (extension).toUpperCase());
    }
    return patterns.joinIntoString (";");
}

SxImageRgbaBytes* ImageFileBridges::loadImageFileAsRgba (const juce::String& path)
{
    if (! juce::File::isAbsolutePath (path))
        return nullptr;
    const auto decoded = PlatformImageDecoder::decodeFile (juce::File (path));
    if (! decoded.has_value())
        return nullptr;
    return new SxImageRgbaBytes (*decoded);
}

ImageFileBridges::OpenedImage ImageFileBridges::openImageFile (const juce::File& file)
{
    OpenedImage opened;
    auto decoded = PlatformImageDecoder::openFile (file);
    if (! decoded.image.has_value() || ! decoded.image->isValid())
    {
        const auto refusal = decoded.refusal != ImageRefusal::none ? decoded.refusal : ImageRefusal::damaged;
        opened.refusal = describeImageRefusal (refusal);
        return opened;
    }
    opened.image = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (*decoded.image));
    opened.resolutionX = decoded.image->resolutionX;
    opened.resolutionY = decoded.image->resolutionY;
    opened.exif = std::move (decoded.image->exifBlock);
    return opened;
}

juce::File ImageFileBridges::chooseImageFile()
{
    const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    auto stored = PlatformUserDefaults::getString (lastDirectoryKey);
    // Folders remembered as file URLs are accepted as well as plain paths.
    if (stored.startsWithIgnoreCase ("file:"))
        stored = juce::URL (stored).getLocalFile().getFullPathName();
    const auto start = juce::File::isAbsolutePath (stored) && juce::File (stored).isDirectory() ? juce::File (stored) : home;

    PlatformOpenPanel::Request request;
    request.title = "Open";
    request.startFolder = start;
    request.patterns = getImageFilePatterns();

    const auto chosen = PlatformOpenPanel::chooseFile (request);
    if (chosen == juce::File())
        return {};

    PlatformUserDefaults::setString (lastDirectoryKey, chosen.getParentDirectory().getFullPathName());
    return chosen;
}
