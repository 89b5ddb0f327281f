// Feeds arbitrary bytes to every image decoder: the platform decoders (PNG, JPEG,
// GIF, TIFF, BMP, layered documents, with their Exif blocks and orientations) and the
// framework-image decode path with JRA. Camera metadata found on the way is prepared
// for writing, as a save would, and TIFF-shaped data is also read as a bare Exif block.

#include "ExifMetadata.h"
#include "ImageCodecs.h"
#include "PlatformImage.h"
#include "PlatformImageDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // Keep hostile headers from asking for more memory than the fuzzer allows.
    static const bool limited = [] { PlatformImage::setPixelLimit ((size_t) 1 << 22); return true; }();
    (void) limited;

    if (auto image = PlatformImageDecoder::decode (data, size))
    {
        if (image->rgba.size() != (size_t) image->width * (size_t) image->height * 4 || image->orientation != 1)
            __builtin_trap();
        ExifMetadata::prepareForWriting (image->exifBlock, image->width, image->height, image->resolutionX, image->resolutionY);
    }

    if (size >= 4 && (data[0] == 'I' || data[0] == 'M'))
    {
        const auto block = ExifMetadata::fromTiffStructure (data, size);
        ExifMetadata::readOrientation (block);
        ExifMetadata::prepareForWriting (block, 1, 1, 72.0, 72.0);
    }

    const auto decoded = ImageCodecs::decodeImage (data, size);
    if (decoded.isValid() && (decoded.getWidth() <= 0 || decoded.getHeight() <= 0))
        __builtin_trap();
    return 0;
}
