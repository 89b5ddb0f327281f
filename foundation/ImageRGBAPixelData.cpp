#include "ImageRGBAPixelData.h"

#include "SxImageRgbaBytes.h"

ImageRGBAPixelData::ImageRGBAPixelData (SxImageRgbaBytes& s)
    : juce::ImagePixelData (juce::Image::ARGB, s.width, s.height), source (&s), lineStride (s.width * 4)
{
    source->retain();
    pixels.calloc ((size_t) lineStride * (size_t) juce::jmax (1, height));
    for (int y = 0; y < height; ++y)
        premultiplyRow (source->getRowPointer (y), pixels + (size_t) y * (size_t) lineStride, width);
}

ImageRGBAPixelData::~ImageRGBAPixelData()
{
    source->release();
}

std::unique_ptr<juce::LowLevelGraphicsContext> ImageRGBAPixelData::createLowLevelContext()
{
    sendDataChangeMessage();
    return std::make_unique<juce::LowLevelGraphicsSoftwareRenderer> (juce::Image (*this));
}

juce::ImagePixelData::Ptr ImageRGBAPixelData::clone()
{
    return *new ImageRGBAPixelData (*source);
}

std::unique_ptr<juce::ImageType> ImageRGBAPixelData::createType() const
{
    return std::make_unique<juce::SoftwareImageType>();
}

void ImageRGBAPixelData::initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y, juce::Image::BitmapData::ReadWriteMode mode)
{
    const auto offset = (size_t) x * 4 + (size_t) y * (size_t) lineStride;
    bitmap.data = pixels + offset;
    bitmap.size = (size_t) lineStride * (size_t) height - offset;
    bitmap.pixelFormat = juce::Image::ARGB;
    bitmap.lineStride = lineStride;
    bitmap.pixelStride = 4;

    if (mode != juce::Image::BitmapData::readOnly)
        sendDataChangeMessage();
}

void ImageRGBAPixelData::premultiplyRow (const uint8_t* src, uint8_t* dst, int width) noexcept
{
    for (int x = 0; x < width; ++x, src += 4, dst += 4)
    {
        const uint8_t a = src[0], r = src[1], g = src[2], b = src[3];
        const float scale = (float) a / 255.0f;
        dst[0] = (uint8_t) (int) ((float) b * scale);
        dst[1] = (uint8_t) (int) ((float) g * scale);
        dst[2] = (uint8_t) (int) ((float) r * scale);
        dst[3] = a;
    }
}
