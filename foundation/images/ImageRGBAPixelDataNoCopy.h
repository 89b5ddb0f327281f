#pragma once

#include <juce_graphics/juce_graphics.h>

class SxImageRgbaBytes;

/** Framework pixel data addressing a colour buffer's own memory.

    The buffer's bytes must already be in the framework's premultiplied blue, green,
    red, alpha order (SxImageRgbaBytes::wrapAsImage converts them). The buffer is
    retained while the view lives, so releasing it first cannot leave the image
    pointing at freed memory.
*/
class ImageRGBAPixelDataNoCopy : public juce::ImagePixelData
{
public:
    /** A view of the buffer's pixels; retains the buffer. */
    explicit ImageRGBAPixelDataNoCopy (SxImageRgbaBytes& buffer);
    /** Leaves the pixels alone and releases the buffer. */
    ~ImageRGBAPixelDataNoCopy() override;

    /** A software renderer drawing straight into the buffer. */
    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override;
    /** A new view of the same buffer. */
    juce::ImagePixelData::Ptr clone() override;
    /** A software image type. */
    std::unique_ptr<juce::ImageType> createType() const override;
    /** Points the bitmap data into the buffer. */
    void initialiseBitmapData (juce::Image::BitmapData&, int x, int y, juce::Image::BitmapData::ReadWriteMode) override;

private:
    SxImageRgbaBytes* buffer = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageRGBAPixelDataNoCopy)
};
