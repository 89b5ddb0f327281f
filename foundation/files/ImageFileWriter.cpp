#include "ImageFileWriter.h"

#include "AtomicFileWriter.h"
#include "ExifMetadata.h"
#include "Jpeg2000Codec.h"
#include "JpegCodec.h"
#include "PlatformImage.h"
#include "PngCodec.h"
#include "SxImageRgbaBytes.h"
#include "TiffEncoder.h"

#include <algorithm>
#include <cmath>

namespace
{
    using FileType = ImageFileWriter::FileType;

    const char* typeName (FileType type) noexcept
    {
        switch (type)
        {
            case FileType::jpeg:     return "JPEG";
            case FileType::jpeg2000: return "JPEG 2000";
            case FileType::png:      return "PNG";
            case FileType::tiff:     return "TIFF";
        }
        return "an image";
    }

    constexpr uint32_t opaqueWhite = 0xffffffffu;

    PlatformImage pixelsToWrite (const SxImageRgbaBytes& painting, FileType type)
    {
        if (type != FileType::jpeg)
            return painting.createPlatformImage();
        SxImageRgbaBytes flat (painting);
        flat.flattenOntoColour (opaqueWhite);
        return flat.createPlatformImage();
    }

    bool hasTranslucency (const PlatformImage& image) noexcept
    {
        for (size_t i = 3; i < image.rgba.size(); i += 4)
            if (image.rgba[i] != 255)
                return true;
        return false;
    }

    double dotsPerInch (double value) noexcept
    {
        return value > 0.0 && std::isfinite (value) ? value : 72.0;
    }

    bool encodeAs (const PlatformImage& image, const ImageFileWriter::Options& options, juce::OutputStream& out)
    {
        const bool alpha = hasTranslucency (image);
        switch (options.type)
        {
            case FileType::jpeg:
            {
                JpegCodec::WriteSettings settings;
                settings.quality = std::clamp (options.quality, 1, 100);
                settings.densityX = image.resolutionX;
                settings.densityY = image.resolutionY;
                if (image.exifBlock.getSize() <= JpegCodec::maxMarkerData)
                {
                    if (! image.exifBlock.isEmpty())
                        settings.markers.push_back ({ 0xe1, image.exifBlock });
                }
                else
                {
                    juce::Logger::writeToLog ("JPEG writer: the camera metadata (" + juce::String ((juce::int64) image.exifBlock.getSize())
                                              + " bytes without its thumbnail) does not fit a JPEG marker and is left out.");
                }
                return JpegCodec::encode (image, settings, out);
            }
            case FileType::jpeg2000:
                return Jpeg2000Codec::encode (image, { options.quality, alpha }, out);
            case FileType::png:
                return PngCodec::encode (image, alpha, out);
            case FileType::tiff:
                return TiffEncoder::encode (image, alpha, out);
        }
        return false;
    }
}

std::optional<ImageFileWriter::FileType> ImageFileWriter::typeForFile (const juce::File& file)
{
    const auto extension = file.getFileExtension().toLowerCase();
    if (extension == ".jpg" || extension == ".jpeg")
        return FileType::jpeg;
    if (extension == ".jp2")
        return FileType::jpeg2000;
    if (extension == ".png")
        return FileType::png;
    if (extension == ".tif" || extension == ".tiff")
        return FileType::tiff;
    return std::nullopt;
}

juce::Result ImageFileWriter::encode (const SxImageRgbaBytes& painting, const Options& options, juce::MemoryBlock& out)
{
    if (painting.pixels == nullptr || painting.width <= 0 || painting.height <= 0)
        return juce::Result::fail ("There is no picture to save.");

    auto image = pixelsToWrite (painting, options.type);
    image.resolutionX = dotsPerInch (options.resolutionX);
    image.resolutionY = dotsPerInch (options.resolutionY);
    image.exifBlock = ExifMetadata::prepareForWriting (options.exif, image.width, image.height,
                                                       image.resolutionX, image.resolutionY);
    if (! options.exif.isEmpty() && image.exifBlock.isEmpty())
        juce::Logger::writeToLog ("Image writer: the camera metadata cannot be read and is left out.");

    juce::MemoryBlock encoded;
    bool ok = false;
    {
        juce::MemoryOutputStream stream (encoded, false);
        ok = encodeAs (image, options, stream);
    }
    if (! ok)
        return juce::Result::fail ("The picture could not be saved as " + juce::String (typeName (options.type))
                                   + " (it may be too large for that type).");
    out.swapWith (encoded);
    return juce::Result::ok();
}

juce::Result ImageFileWriter::write (const SxImageRgbaBytes& painting, const juce::File& target, const Options& options)
{
    juce::MemoryBlock encoded;
    const auto encoding = encode (painting, options, encoded);
    if (encoding.failed())
        return encoding;
    return AtomicFileWriter::replaceWithBytes (target, encoded.getData(), encoded.getSize());
}
