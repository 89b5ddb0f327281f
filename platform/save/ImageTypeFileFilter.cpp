#include "ImageTypeFileFilter.h"

ImageTypeFileFilter::ImageTypeFileFilter (ImageSavePanel::ImageType type)
    : juce::FileFilter ("Images"), current (type)
{
}

bool ImageTypeFileFilter::isFileSuitable (const juce::File& file) const
{
    const auto extension = file.getFileExtension().toLowerCase();
    switch (current.load())
    {
        case ImageSavePanel::ImageType::jpeg:     return extension == ".jpg" || extension == ".jpeg";
        case ImageSavePanel::ImageType::jpeg2000: return extension == ".jp2";
        case ImageSavePanel::ImageType::png:      return extension == ".png";
        case ImageSavePanel::ImageType::tiff:     return extension == ".tif" || extension == ".tiff";
    }
    return false;
}
