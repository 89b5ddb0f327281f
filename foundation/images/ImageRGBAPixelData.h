#pragma once

#include <juce_graphics/juce_graphics.h>

class SxImageRgbaBytes;

/** Framework pixel data holding its own premultiplied copy of a colour buffer.

    The copy is taken at construction; later changes of the buffer are not seen, and
    drawing into the framework image does not reach the buffer. The buffer is retained
    for as long as the pixel data lives, because clone() copies it again.
*/
class ImageRGBAPixelData : public juce::ImagePixelData
{
public:
    /** Copies and premultiplies the buffer's pixels; retains the buffer. */
    explicit ImageRGBAPixelData (SxImageRgbaBytes& source);
    /** Frees the copy and releases the buffer. */
    ~ImageRGBAPixelData() override;

    /** A software renderer drawing into this pixel data. */
    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override;
    /** New pixel data made again from the buffer's current pixels. */
    juce::ImagePixelData::Ptr clone() override;
    /** A software image type. */
    std::unique_ptr<juce::ImageType> createType() const override;
    /** Points the bitmap data into the copy. */
    void initialiseBitmapData (juce::Image::BitmapData&, int x, int y, juce::Image::BitmapData::ReadWriteMode) override;

    /** Writes width straight pixels (alpha, red, green, blue) as premultiplied blue, green,
        red, alpha: each colour times (a / 255.0f), truncated. src and dst may be the same. */
    static void premultiplyRow (const uint8_t* src, uint8_t* dst, int width) noexcept;

private:
    juce::HeapBlock<uint8_t> pixels;
    SxImageRgbaBytes* source = nullptr;
    const int lineStride;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageRGBAPixelData)
};
