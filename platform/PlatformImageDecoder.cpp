#include "PlatformImageDecoder.h"

#include "BmpDecoder.h"
#include "GifDecoder.h"
#include "ImageOrientation.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "PsdDecoder.h"
#include "RawCameraDecoder.h"
#include "TiffDecoder.h"

#include <cstring>
#include <new>

namespace
{
    std::optional<PlatformImage> decodeStored (const void* data, size_t size)
    {
        if (PngCodec::hasSignature (data, size))
            return PngCodec::decode (data, size);
        if (JpegCodec::hasSignature (data, size))
            return JpegCodec::decode (data, size);
        if (GifDecoder::hasSignature (data, size))
            return GifDecoder::decode (data, size);
        if (TiffDecoder::hasSignature (data, size))
            return TiffDecoder::decode (data, size);
        if (BmpDecoder::hasSignature (data, size))
            return BmpDecoder::decode (data, size);
        if (PsdDecoder::hasSignature (data, size))
            return PsdDecoder::decode (data, size);
        return std::nullopt;
    }

    bool isRecognised (const void* data, size_t size)
    {
        return PngCodec::hasSignature (data, size) || JpegCodec::hasSignature (data, size)
            || GifDecoder::hasSignature (data, size) || TiffDecoder::hasSignature (data, size)
            || BmpDecoder::hasSignature (data, size) || PsdDecoder::hasSignature (data, size);
    }

    PlatformImageDecoder::OpenedFile refused (ImageRefusal fallback)
    {
        const auto noted = ImageRefusalNote::take();
        return { std::nullopt, noted != ImageRefusal::none ? noted : fallback };
    }

    PlatformImageDecoder::OpenedFile openReadable (const juce::File& file)
    {
        if (RawCameraDecoder::isRawCameraFile (file))
        {
            auto image = RawCameraDecoder::decodeFile (file);
            if (! image.has_value())
                return refused (ImageRefusal::damaged);
            return { std::move (image), ImageRefusal::none };
        }

        juce::MemoryBlock contents;
        if (! file.loadFileAsData (contents))
            return { std::nullopt, ImageRefusal::unreadable };
        if (! isRecognised (contents.getData(), contents.getSize()))
            return { std::nullopt, ImageRefusal::notAnImage };

        auto image = PlatformImageDecoder::decode (contents.getData(), contents.getSize());
        if (! image.has_value())
            return refused (ImageRefusal::damaged);
        return { std::move (image), ImageRefusal::none };
    }
}

std::optional<PlatformImage> PlatformImageDecoder::decode (const void* data, size_t size)
{
    if (data == nullptr || size == 0)
        return std::nullopt;
    auto image = decodeStored (data, size);
    if (image.has_value())
        ImageOrientation::makeUpright (*image);
    return image;
}

std::optional<PlatformImage> PlatformImageDecoder::decodeFile (const juce::File& file)
{
    auto opened = openFile (file);
    if (opened.refusal == ImageRefusal::unreadable)
        return std::nullopt;
    return std::move (opened.image).value_or (PlatformImage());
}

PlatformImageDecoder::OpenedFile PlatformImageDecoder::openFile (const juce::File& file)
{
    if (! file.existsAsFile())
        return { std::nullopt, ImageRefusal::unreadable };

    ImageRefusalNote::take();
    try
    {
        return openReadable (file);
    }
    catch (const std::bad_alloc&)
    {
        ImageRefusalNote::take();
        return { std::nullopt, ImageRefusal::tooLarge };
    }
}
