#include "ImageCodecs.h"

#include "PlatformImage.h"
#include "GifDecoder.h"
#include "ParallelRows.h"
#include "PremultiplyTables.h"
#include "RAWJuceImageFormat.h"
#include "SxJPEGImageFormat.h"
#include "SxPNGImageFormat.h"

namespace
{
    /** The framework's GIF detection with the system's own decoder, whose LZW reader
        checks every code (the framework's overruns its tables on hostile data). */
    class CheckedGifFormat : public juce::GIFImageFormat
    {
    public:
        juce::Image decodeImage (juce::InputStream& in) override
        {
            juce::MemoryBlock data;
            in.readIntoMemoryBlock (data);
            if (auto image = GifDecoder::decode (data.getData(), data.getSize()))
                return ImageCodecs::imageFromPlatformImage (*image);
            return {};
        }
    };
}

juce::Image ImageCodecs::decodeImage (juce::InputStream& in)
{
    SxPNGImageFormat png;
    SxJPEGImageFormat jpeg (-1.0f);
    CheckedGifFormat gif;
    juce::RAWJuceImageFormat jra;
    juce::ImageFileFormat* formats[] = { &png, &jpeg, &gif, &jra };

    const auto start = in.getPosition();
    for (auto* format : formats)
    {
        const bool understood = format->canUnderstand (in);
        in.setPosition (start);
        if (understood)
            return format->decodeImage (in);
    }
    return {};
}

juce::Image ImageCodecs::decodeImage (const void* data, size_t size)
{
    if (data == nullptr || size == 0)
        return {};
    juce::MemoryInputStream in (data, size, false);
    return decodeImage (in);
}

juce::Image ImageCodecs::decodeImageFile (const juce::File& file)
{
    juce::MemoryBlock data;
    if (! file.loadFileAsData (data))
        return {};
    return decodeImage (data.getData(), data.getSize());
}

juce::Image ImageCodecs::imageFromPlatformImage (const PlatformImage& source)
{
    if (! source.isValid())
        return {};

    juce::Image image (juce::Image::ARGB, source.width, source.height, false, juce::SoftwareImageType());
    juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);
    ParallelRows::forEachBand (0, source.height, source.width, [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            const uint8_t* s = source.getRow (y);
            auto* d = reinterpret_cast<juce::PixelARGB*> (bits.getLinePointer (y));
            for (int x = 0; x < source.width; ++x, s += 4, ++d)
            {
                d->setARGB (s[3], s[0], s[1], s[2]);
                d->premultiply();
            }
        }
    });
    return image;
}

PlatformImage ImageCodecs::platformImageFromImage (const juce::Image& source)
{
    PlatformImage image;
    if (! source.isValid())
        return image;
    image.width = source.getWidth();
    image.height = source.getHeight();
    image.rgba.resize ((size_t) image.width * (size_t) image.height * 4);

    const juce::Image::BitmapData bits (source, juce::Image::BitmapData::readOnly);
    const uint8_t* unpremultiply = PremultiplyTables::unpremultiply();
    ParallelRows::forEachBand (0, image.height, image.width, [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            uint8_t* d = image.getRow (y);
            const uint8_t* s = bits.getLinePointer (y);
            if (bits.pixelFormat == juce::Image::ARGB)
            {
                // The framework's own unpremultiply: truncated, at most 255, zero at alpha 0.
                for (int x = 0; x < image.width; ++x, d += 4, s += bits.pixelStride)
                {
                    const uint8_t* divided = PremultiplyTables::row (unpremultiply, s[3]);
                    d[0] = divided[s[2]]; d[1] = divided[s[1]]; d[2] = divided[s[0]]; d[3] = s[3];
                }
            }
            else if (bits.pixelFormat == juce::Image::RGB)
            {
                for (int x = 0; x < image.width; ++x, d += 4, s += bits.pixelStride)
                {
                    d[0] = s[2]; d[1] = s[1]; d[2] = s[0]; d[3] = 255;
                }
            }
            else
            {
                for (int x = 0; x < image.width; ++x, d += 4)
                {
                    const auto c = bits.getPixelColour (x, y);
                    d[0] = c.getRed(); d[1] = c.getGreen(); d[2] = c.getBlue(); d[3] = c.getAlpha();
                }
            }
        }
    });
    return image;
}
