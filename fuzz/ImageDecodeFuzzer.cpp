// Feeds arbitrary bytes to every image decoder: the platform decoders (PNG, JPEG,
// GIF, TIFF, BMP, layered documents) and the framework-image decode path with JRA.

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
        if (image->rgba.size() != (size_t) image->width * (size_t) image->height * 4)
            __builtin_trap();

    const auto decoded = ImageCodecs::decodeImage (data, size);
    if (decoded.isValid() && (decoded.getWidth() <= 0 || decoded.getHeight() <= 0))
        __builtin_trap();
    return 0;
}
