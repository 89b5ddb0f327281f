#include "ImageSaveFlow.h"

#include "AppSettings.h"
#include "ImageSaveFolder.h"
#include "ImageSaveWriter.h"

void ImageSaveFlow::begin (SxRef<SxImageRgbaBytes> painting, Request request)
{
    if (! painting || painting->width <= 0 || painting->height <= 0 || request.window == nullptr)
    {
        if (request.afterPanel)
            request.afterPanel();
        return;
    }

    ImageSavePanel panel;
    if (request.settings != nullptr)
        panel.setDirectoryURL (ImageSaveFolder::choose (*request.settings, request.useImageLocation, request.imageFile));
    panel.setNameFieldStringValue (request.imageFile.getFileName());

    // Shared by every copy of the handler, so that the painting handed to the writer has
    // one holder and is not copied again.
    struct Pending
    {
        SxRef<SxImageRgbaBytes> painting;
        Request request;
    };
    auto pending = std::make_shared<Pending> (Pending { std::move (painting), std::move (request) });

    auto& window = *pending->request.window;
    panel.beginSheetModalForWindow (window, [pending, alive = juce::Component::SafePointer<juce::Component> (&window)]
                                            (std::optional<ImageSavePanel::Result> chosen)
    {
        auto painting = std::move (pending->painting);
        const auto& request = pending->request;
        if (alive == nullptr)
            return;

        if (chosen)
        {
            if (request.settings != nullptr)
                ImageSaveFolder::remember (*request.settings, chosen->file);
            if (request.writer != nullptr)
            {
                auto options = request.document;
                options.type = fileTypeFor (chosen->type);
                options.quality = chosen->quality;
                request.writer->write (std::move (painting), chosen->file, options);
            }
        }
        painting.reset();

        if (request.afterPanel)
            request.afterPanel();
    });
}

ImageFileWriter::FileType ImageSaveFlow::fileTypeFor (ImageSavePanel::ImageType type) noexcept
{
    switch (type)
    {
        case ImageSavePanel::ImageType::jpeg:     return ImageFileWriter::FileType::jpeg;
        case ImageSavePanel::ImageType::jpeg2000: return ImageFileWriter::FileType::jpeg2000;
        case ImageSavePanel::ImageType::png:      return ImageFileWriter::FileType::png;
        case ImageSavePanel::ImageType::tiff:     return ImageFileWriter::FileType::tiff;
    }
    return ImageFileWriter::FileType::jpeg;
}
