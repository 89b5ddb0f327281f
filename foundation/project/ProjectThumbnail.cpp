#include "ProjectThumbnail.h"

#include "JpegCodec.h"
#include "PlatformImage.h"
#include "Resampling.h"

namespace
{
    constexpr uint32_t opaqueGrey (uint8_t level) noexcept
    {
        return (uint32_t) level << 24 | (uint32_t) level << 16 | (uint32_t) level << 8 | 0xffu;
    }
}

SxRef<SxImageRgbaBytes> ProjectThumbnail::make (const SxImageRgbaBytes& painting)
{
    SxRef<SxImageRgbaBytes> thumbnail (new SxImageRgbaBytes (side, side, SxImageRgbaBytes::uninitialised));
    thumbnail->fill (opaqueGrey (background));
    if (painting.width <= 0 || painting.height <= 0 || painting.pixels == nullptr)
        return thumbnail;

    // The shorter side becomes 400; the longer one overflows the square on both ends.
    const double aspect = (double) painting.width / (double) painting.height;
    const double scaledWidth = aspect > 1.0 ? side * aspect : (double) side;
    const double scaledHeight = aspect > 1.0 ? (double) side : side / aspect;
    const double left = (side - scaledWidth) / 2.0, top = (side - scaledHeight) / 2.0;

    SxImageRgbaBytes canvas (side, side, SxImageRgbaBytes::uninitialised);
    canvas.fill (opaqueGrey (0));
    const RectBounds source { 0.0f, 0.0f, (float) painting.width - 1.0f, (float) painting.height - 1.0f };
    const RectBounds destination { (float) left, (float) top, (float) (left + scaledWidth - 1.0), (float) (top + scaledHeight - 1.0) };
    blitScaledRgba (canvas, painting, source, destination, 3);

    thumbnail->compositeFrom (canvas);
    return thumbnail;
}

juce::MemoryBlock ProjectThumbnail::makeJpeg (const SxImageRgbaBytes& painting)
{
    const auto thumbnail = make (painting);
    JpegCodec::WriteSettings settings;
    settings.quality = jpegQuality;

    juce::MemoryOutputStream out;
    if (! JpegCodec::encode (thumbnail->createPlatformImage(), settings, out))
        return {};
    return out.getMemoryBlock();
}
