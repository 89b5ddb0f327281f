#include "SxPNGImageFormat.h"

#include "ImageCodecs.h"
#include "PlatformImage.h"
#include "PngCodec.h"

juce::String SxPNGImageFormat::getFormatName()
{
    return "PNG";
}

bool SxPNGImageFormat::usesFileExtension (const juce::File& file)
{
    return file.hasFileExtension ("png");
}

bool SxPNGImageFormat::canUnderstand (juce::InputStream& in)
{
    uint8_t header[8] = {};
    return in.read (header, 8) == 8 && PngCodec::hasSignature (header, 8);
}

juce::Image SxPNGImageFormat::decodeImage (juce::InputStream& in)
{
    juce::MemoryBlock data;
    in.readIntoMemoryBlock (data);
    if (auto image = PngCodec::decode (data.getData(), data.getSize()))
        return ImageCodecs::imageFromPlatformImage (*image);
    return {};
}

bool SxPNGImageFormat::writeImageToStream (const juce::Image& image, juce::OutputStream& out)
{
    auto pixels = ImageCodecs::platformImageFromImage (image);
    if (! pixels.isValid())
        return false;

    const auto& properties = image.getProperties() != nullptr ? *image.getProperties() : juce::NamedValueSet();
    // The properties are read as floats, the products formed in double.
    pixels.resolutionX = (double) (float) properties.getWithDefault ("resX", 72);
    pixels.resolutionY = (double) (float) properties.getWithDefault ("resY", 72);
    return PngCodec::encode (pixels, image.hasAlphaChannel(), out);
}
