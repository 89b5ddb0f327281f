#include "ImageTypeFileFilter.h"

ImageTypeFileFilter::ImageTypeFileFilter (ImageSavePanel::ImageType type, const juce::String& documentExtension)
    : juce::FileFilter ("Images"), current (type),
      documentSuffix (documentExtension.isEmpty() ? juce::String() : "." + documentExtension.toLowerCase())
{
}

bool ImageTypeFileFilter::isFileSuitable (const juce::File& file) const
{
    const auto extension = file.getFileExtension().toLowerCase();
    if (documentSuffix.isNotEmpty())
        return extension == documentSuffix;
    switch (current.load())
    {
        case ImageSavePanel::ImageType::jpeg:     return extension == ".jpg" || extension == ".jpeg";
        case ImageSavePanel::ImageType::jpeg2000: return extension == ".jp2";
        case ImageSavePanel::ImageType::png:      return extension == ".png";
        case ImageSavePanel::ImageType::tiff:     return extension == ".tif" || extension == ".tiff";
    }
    return false;
}
