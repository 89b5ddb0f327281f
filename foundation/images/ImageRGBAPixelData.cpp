#include "ImageRGBAPixelData.h"

#include "ParallelRows.h"
#include "PremultiplyTables.h"
#include "SxImageRgbaBytes.h"

ImageRGBAPixelData::ImageRGBAPixelData (SxImageRgbaBytes& s)
    : juce::ImagePixelData (juce::Image::ARGB, s.width, s.height), source (&s), lineStride (s.width * 4)
{
    source->retain();
    // Every row is written below.
    pixels.malloc ((size_t) lineStride * (size_t) juce::jmax (1, height));
    ParallelRows::forEachBand (0, height, width, [this] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
            premultiplyRow (source->getRowPointer (y), pixels + (size_t) y * (size_t) lineStride, width);
    });
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
    const uint8_t* table = PremultiplyTables::premultiply();
    for (int x = 0; x < width; ++x, src += 4, dst += 4)
    {
        const uint8_t a = src[0], r = src[1], g = src[2], b = src[3];
        const uint8_t* scaled = PremultiplyTables::row (table, a);
        dst[0] = scaled[b];
        dst[1] = scaled[g];
        dst[2] = scaled[r];
        dst[3] = a;
    }
}
