#pragma once

#include "ImageSavePanel.h"

#include <atomic>

/** Lists the folders and the files of one save type (by extension, in any case: "jpg" or
    "jpeg", "jp2", "png", "tif" or "tiff"), or of a document's one extension, so the user
    sees what a name would meet. The browser asks on its scanning thread while the sheet
    changes the type. */
class ImageTypeFileFilter : public juce::FileFilter
{
public:
    /** documentExtension (no dot): list that type's files only, whatever the image type. */
    explicit ImageTypeFileFilter (ImageSavePanel::ImageType type, const juce::String& documentExtension = {});

    void setType (ImageSavePanel::ImageType type) noexcept  { current = type; }

    bool isFileSuitable (const juce::File& file) const override;
    bool isDirectorySuitable (const juce::File&) const override  { return true; }

private:
    std::atomic<ImageSavePanel::ImageType> current;
    const juce::String documentSuffix;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageTypeFileFilter)
};
