#include "PlatformImageDecoder.h"

#include "BmpDecoder.h"
#include "GifDecoder.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "PsdDecoder.h"
#include "RawCameraDecoder.h"
#include "TiffDecoder.h"

#include <cstring>

std::optional<PlatformImage> PlatformImageDecoder::decode (const void* data, size_t size)
{
    if (data == nullptr || size == 0)
        return std::nullopt;
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

std::optional<PlatformImage> PlatformImageDecoder::decodeFile (const juce::File& file)
{
    if (! file.existsAsFile())
        return std::nullopt;

    if (RawCameraDecoder::isRawCameraFile (file))
        return RawCameraDecoder::decodeFile (file).value_or (PlatformImage());

    juce::MemoryBlock contents;
    if (! file.loadFileAsData (contents))
        return std::nullopt;
    return decode (contents.getData(), contents.getSize()).value_or (PlatformImage());
}
