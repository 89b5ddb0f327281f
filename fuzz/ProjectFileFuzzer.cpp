// Feeds arbitrary bytes to the project reader in all its forms: "VER3" with its thumbnail's
// place, "VER2", and the older XML form with its picture block. What it accepts must be a
// whole picture within the pixel limit and a usable resolution.

#include "PlatformImage.h"
#include "ProjectFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // Keep hostile sizes from asking for more memory than the fuzzer allows.
    static const bool limited = [] { PlatformImage::setPixelLimit ((size_t) 1 << 20); return true; }();
    (void) limited;

    juce::MemoryInputStream in (data, size, false);
    ProjectFile::Contents contents;
    if (ProjectFile::read (in, (int64_t) size, contents).wasOk())
    {
        const auto* picture = contents.picture.get();
        if (picture == nullptr || picture->pixels == nullptr || picture->width <= 0 || picture->height <= 0
            || (size_t) picture->width * (size_t) picture->height > PlatformImage::getPixelLimit()
            || ! std::isfinite (contents.resolutionX) || contents.resolutionX <= 0.0
            || ! std::isfinite (contents.resolutionY) || contents.resolutionY <= 0.0
            || contents.properties.containsKey ("ORIG_IMAGE_data"))
            __builtin_trap();
    }
    return 0;
}
