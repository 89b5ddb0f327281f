#include "SxJPEGImageFormat.h"

#include "ImageCodecs.h"
#include "JpegCodec.h"
#include "PlatformImage.h"

#include <cmath>
#include <cstring>

namespace
{
    constexpr int app0 = 224;

    /** libjpeg writes its own JFIF header; a stored JFIF or Adobe APP0 would repeat it. */
    bool isHeaderMarker (int code, const juce::MemoryBlock& data)
    {
        if (code != app0 || data.getSize() <= 4)
            return false;
        const auto* bytes = static_cast<const char*> (data.getData());
        return std::memcmp (bytes, "Adobe", 5) == 0 || std::memcmp (bytes, "JFIF\0", 5) == 0;
    }

    std::vector<JpegCodec::Marker> markersOf (const juce::NamedValueSet& properties)
    {
        std::vector<JpegCodec::Marker> markers;
        // Each marker needs properties of its own, which bounds a hostile count.
        const int count = juce::jmin ((int) properties.getWithDefault ("markerCount", 0), properties.size());
        for (int i = 0; i < count; ++i)
        {
            JpegCodec::Marker marker;
            marker.code = properties.getWithDefault ("Marker" + juce::String (i), 0);
            marker.data.fromBase64Encoding (properties.getWithDefault ("MarkerData" + juce::String (i), {}).toString());
            if (! isHeaderMarker (marker.code, marker.data))
                markers.push_back (std::move (marker));
        }
        return markers;
    }
}

int SxJPEGImageFormat::libjpegQuality (float q) noexcept
{
    const float scaled = q * 100.0f;
    if (! (scaled >= 1.0f))
        return 1;
    if (scaled >= 100.0f)
        return 100;
    return juce::jlimit (1, 100, (int) std::nearbyint (scaled));
}

juce::String SxJPEGImageFormat::getFormatName()
{
    return "JPEG";
}

bool SxJPEGImageFormat::usesFileExtension (const juce::File& file)
{
    return file.hasFileExtension ("jpeg;jpg");
}

bool SxJPEGImageFormat::canUnderstand (juce::InputStream& in)
{
    uint8_t header[3] = {};
    return in.read (header, 3) == 3 && JpegCodec::hasSignature (header, 3);
}

juce::Image SxJPEGImageFormat::decodeImage (juce::InputStream& in)
{
    juce::MemoryBlock data;
    in.readIntoMemoryBlock (data);
    if (auto image = JpegCodec::decode (data.getData(), data.getSize()))
        return ImageCodecs::imageFromPlatformImage (*image);
    return {};
}

bool SxJPEGImageFormat::writeImageToStream (const juce::Image& image, juce::OutputStream& out)
{
    if (quality < 0.0f)
        quality = 0.85f;

    const auto pixels = ImageCodecs::platformImageFromImage (image);
    if (! pixels.isValid())
        return false;

    const auto& properties = image.getProperties() != nullptr ? *image.getProperties() : juce::NamedValueSet();
    JpegCodec::WriteSettings settings;
    settings.quality = libjpegQuality (quality);
    settings.densityX = properties.getWithDefault ("resX", 72);
    settings.densityY = properties.getWithDefault ("resY", 72);
    settings.markers = markersOf (properties);
    return JpegCodec::encode (pixels, settings, out);
}
