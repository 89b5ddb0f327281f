#include "ImageRefusal.h"

namespace
{
    thread_local ImageRefusal pending = ImageRefusal::none;
}

juce::String describeImageRefusal (ImageRefusal refusal)
{
    switch (refusal)
    {
        case ImageRefusal::none:            return {};
        case ImageRefusal::unreadable:      return "The file could not be read.";
        case ImageRefusal::notAnImage:      return "The file is not an image that can be opened.";
        case ImageRefusal::damaged:         return "The image file is damaged or incomplete.";
        case ImageRefusal::unsupportedKind: return "This kind of image is not supported (for example CMYK or 16-bit documents).";
        case ImageRefusal::tooLarge:        return "The image is too large to open.";
    }
    return {};
}

void ImageRefusalNote::note (ImageRefusal refusal) noexcept
{
    if (pending == ImageRefusal::none)
        pending = refusal;
}

ImageRefusal ImageRefusalNote::take() noexcept
{
    const auto refusal = pending;
    pending = ImageRefusal::none;
    return refusal;
}
