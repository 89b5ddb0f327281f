#include "ImageRGBAPixelDataNoCopy.h"

#include "SxImageRgbaBytes.h"

ImageRGBAPixelDataNoCopy::ImageRGBAPixelDataNoCopy (SxImageRgbaBytes& b)
    : juce::ImagePixelData (juce::Image::ARGB, b.width, b.height), buffer (&b)
{
    buffer->retain();
}

ImageRGBAPixelDataNoCopy::~ImageRGBAPixelDataNoCopy()
{
    buffer->release();
}

std::unique_ptr<juce::LowLevelGraphicsContext> ImageRGBAPixelDataNoCopy::createLowLevelContext()
{
    sendDataChangeMessage();
    return std::make_unique<juce::LowLevelGraphicsSoftwareRenderer> (juce::Image (*this));
}

juce::ImagePixelData::Ptr ImageRGBAPixelDataNoCopy::clone()
{
    return *new ImageRGBAPixelDataNoCopy (*buffer);
}

std::unique_ptr<juce::ImageType> ImageRGBAPixelDataNoCopy::createType() const
{
    return std::make_unique<juce::SoftwareImageType>();
}

void ImageRGBAPixelDataNoCopy::initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y, juce::Image::BitmapData::ReadWriteMode mode)
{
    const size_t lineStride = (size_t) width * 4;
    const auto offset = (size_t) x * 4 + (size_t) y * lineStride;
    bitmap.data = buffer->pixels + offset;
    bitmap.size = lineStride * (size_t) height - offset;
    bitmap.pixelFormat = juce::Image::ARGB;
    bitmap.lineStride = (int) lineStride;
    bitmap.pixelStride = 4;

    if (mode != juce::Image::BitmapData::readOnly)
        sendDataChangeMessage();
}
