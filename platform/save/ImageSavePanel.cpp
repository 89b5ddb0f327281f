#include "ImageSavePanel.h"

#include "ImageSaveSheet.h"

#include <mutex>

namespace
{
    std::mutex runnerLock;
    ImageSavePanel::Runner installedRunner;

    ImageSavePanel::Runner currentRunner()
    {
        const std::lock_guard<std::mutex> lock (runnerLock);
        return installedRunner;
    }
}

ImageSavePanel::ImageSavePanel() = default;

void ImageSavePanel::setNameFieldStringValue (const juce::String& name)
{
    imageName = name;
    if (savesDocument())
        return;
    if (const auto type = typeForExtension (extensionOf (name)))
        imageType = *type;
}

void ImageSavePanel::nameFieldEdited (const juce::String& name)
{
    if (savesDocument())
    {
        imageName = name;
        return;
    }

    const auto extension = extensionOf (name);
    auto type = typeForExtension (extension);
    if (extension.equalsIgnoreCase ("jpeg"))
        type = ImageType::jpeg;
    if (type && *type != imageType)
        fileTypeChanged (*type);
    imageName = name;
}

void ImageSavePanel::fileTypeChanged (ImageType type)
{
    imageType = type;
    qualityShown = type == ImageType::jpeg || type == ImageType::jpeg2000;
    if (type == ImageType::jpeg)
        bestLabel = "Best";
    else if (type == ImageType::jpeg2000)
        bestLabel = "Lossless";

    const auto extension = extensionOf (imageName);
    if (extension.isNotEmpty())
        imageName = imageName.dropLastCharacters (extension.length()) + extensionFor (type);
}

void ImageSavePanel::configureSavePanel()
{
    if (! savesDocument())
        fileTypeChanged (imageType);
}

ImageSavePanel::Result ImageSavePanel::resultIn (const juce::File& folder) const
{
    auto name = imageName;
    if (savesDocument() && ! extensionOf (name).equalsIgnoreCase (documentExtension))
        name = name.trimEnd() + "." + documentExtension;
    return { folder.getChildFile (name), imageType, quality };
}

//==============================================================================
void ImageSavePanel::beginSheetModalForWindow (juce::Component& window, CompletionHandler handler)
{
    configureSavePanel();

    if (auto runner = currentRunner())
    {
        auto answer = runner (*this);
        juce::MessageManager::callAsync ([handler = std::move (handler), answer]
        {
            if (handler)
                handler (answer);
        });
        return;
    }

    ImageSaveSheet::show (*this, window, std::move (handler));
}

std::optional<ImageSavePanel::Result> ImageSavePanel::runModal (juce::Component& window)
{
    configureSavePanel();

    if (auto runner = currentRunner())
        return runner (*this);

    // Shared with the handler, which may outlive this call when the message loop quits.
    struct Answer
    {
        bool given = false;
        std::optional<Result> choice;
    };
    auto answer = std::make_shared<Answer>();
    ImageSaveSheet::show (*this, window, [answer] (std::optional<Result> chosen)
    {
        answer->choice = std::move (chosen);
        answer->given = true;
    });

    while (! answer->given && juce::MessageManager::getInstance()->runDispatchLoopUntil (20))
    {
    }
    return answer->choice;
}

void ImageSavePanel::setRunner (Runner runner)
{
    const std::lock_guard<std::mutex> lock (runnerLock);
    installedRunner = std::move (runner);
}

//==============================================================================
const juce::StringArray& ImageSavePanel::getPopUpItems()
{
    static const juce::StringArray items { "JPEG", "JPEG2000", "PNG", "TIFF" };
    return items;
}

juce::String ImageSavePanel::extensionFor (ImageType type)
{
    switch (type)
    {
        case ImageType::jpeg:     return "jpg";
        case ImageType::jpeg2000: return "jp2";
        case ImageType::png:      return "png";
        case ImageType::tiff:     return "tiff";
    }
    return "jpg";
}

std::optional<ImageSavePanel::ImageType> ImageSavePanel::typeForExtension (const juce::String& extension)
{
    const auto lower = extension.toLowerCase();
    if (lower == "jpg")
        return ImageType::jpeg;
    if (lower == "jp2")
        return ImageType::jpeg2000;
    if (lower == "png")
        return ImageType::png;
    if (lower == "tif" || lower == "tiff")
        return ImageType::tiff;
    return std::nullopt;
}

juce::String ImageSavePanel::extensionOf (const juce::String& name)
{
    const auto dot = name.lastIndexOfChar ('.');
    if (dot <= 0 || dot == name.length() - 1)
        return {};
    const auto extension = name.substring (dot + 1);
    // "Trip to St. Ives" has no extension to replace.
    if (extension.containsAnyOf (" \t/"))
        return {};
    return extension;
}
