#include "SxImageAlphaByte.h"

#include "HugePageMemory.h"
#include "ImageSpan.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "SxImageRgbaBytes.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
    uint8_t* allocateZeroed (size_t bytes)
    {
        auto* p = static_cast<uint8_t*> (HugePageMemory::allocate (bytes, true));
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }

    uint8_t* allocateUninitialised (size_t bytes)
    {
        auto* p = static_cast<uint8_t*> (HugePageMemory::allocate (bytes, false));
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }
}

SxImageAlphaByte::SxImageAlphaByte (int w, int h)
    : pixels (allocateZeroed (PixelMath::checkedImageBytes (w, h, 1))), width (w), height (h)
{
}

SxImageAlphaByte::SxImageAlphaByte (int w, int h, Uninitialised)
    : pixels (allocateUninitialised (PixelMath::checkedImageBytes (w, h, 1))), width (w), height (h)
{
}

SxImageAlphaByte::SxImageAlphaByte (const SxImageAlphaByte& other)
    : SxSmartPtr(), pixels (allocateUninitialised ((size_t) other.width * (size_t) other.height)),
      width (other.width), height (other.height)
{
    std::memcpy (pixels, other.pixels, (size_t) width * (size_t) height);
}

SxImageAlphaByte::~SxImageAlphaByte()
{
    std::free (pixels);
    pixels = nullptr;
}

void SxImageAlphaByte::setFromRgba (const SxImageRgbaBytes& colour)
{
    const size_t count = PixelMath::checkedImageBytes (colour.width, colour.height, 1);
    auto* fresh = allocateUninitialised (count);   // every byte is written below
    const int w = colour.width;
    ParallelRows::forEachBand (0, colour.height, w, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            const uint8_t* src = colour.getRowPointer (y);
            uint8_t* dst = fresh + (size_t) y * (size_t) w;
            for (int x = 0; x < w; ++x, src += 4)
                dst[x] = (uint8_t) (((int) src[1] + src[2] + src[3]) / 3);
        }
    });

    std::free (pixels);
    pixels = fresh;
    width = colour.width;
    height = colour.height;
}

void SxImageAlphaByte::fillRect (const RectBounds& rect, uint8_t value)
{
    const auto span = ImageSpan::inclusive (rect, width, height);
    for (int y = span.y0; y < span.y1; ++y)
        std::memset (getRowPointer (y) + span.x0, value, (size_t) (span.x1 - span.x0));
}

//==============================================================================
// Persistence

#include "ImageBlob.h"
#include "SxPropertySet.h"

bool SxImageAlphaByte::writeToPropertySet (SxPropertySet& set, const juce::String& key) const
{
    return ImageBlob::writeEntry (set, key, width, height, pixels, 1);
}

SxRef<SxImageAlphaByte> SxImageAlphaByte::readFromPropertySet (const SxPropertySet& set, const juce::String& key)
{
    juce::MemoryBlock compressed;
    if (! ImageBlob::readEntryBytes (set, key, compressed))
        return {};

    juce::MemoryInputStream in (compressed, false);
    auto content = ImageBlob::read (in, 1);
    switch (content.result)
    {
        case ImageBlob::Content::Result::noWidth:  return SxRef<SxImageAlphaByte> (new SxImageAlphaByte (0, 0));
        case ImageBlob::Content::Result::noHeight: return SxRef<SxImageAlphaByte> (new SxImageAlphaByte (content.width, 0));
        case ImageBlob::Content::Result::refused:  return {};
        case ImageBlob::Content::Result::complete: break;
    }

    SxRef<SxImageAlphaByte> image (new SxImageAlphaByte (0, 0));
    std::free (image->pixels);
    image->pixels = content.pixels.release();
    image->width = content.width;
    image->height = content.height;
    return image;
}
