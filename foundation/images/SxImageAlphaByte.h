#pragma once

#include "RectBounds.h"
#include "SxSmartPtr.h"

#include <cstdint>

class SxImageRgbaBytes;

/** Reference-counted 8-bit single-channel image: masks, gray working images, brush stamps.
    Rows run top to bottom, packed back to back (row length = width). Always owns its bytes. */
class SxImageAlphaByte : public SxSmartPtr
{
public:
    /** A width x height image of zero bytes; negative or absurd sizes throw std::bad_alloc. */
    SxImageAlphaByte (int width, int height);

    enum Uninitialised { uninitialised };
    /** width x height bytes of undefined value, for an image that is filled or copied into
        right away: it saves clearing memory that is overwritten next. */
    SxImageAlphaByte (int width, int height, Uninitialised);

    SxImageAlphaByte (const SxImageAlphaByte& other);
    ~SxImageAlphaByte() override;

    /** Takes the colour image's size and sets each byte to (red + green + blue) / 3, truncated. */
    void setFromRgba (const SxImageRgbaBytes& colour);

    /** Sets rows trunc(top)..trunc(bottom) and columns trunc(left)..trunc(right) to value.
        The span is clipped to the image; an inverted rectangle does nothing. */
    void fillRect (const RectBounds& rect, uint8_t value);

    /** Address of the first byte of row y. */
    uint8_t* getRowPointer (int y) const noexcept { return pixels + (size_t) y * (size_t) width; }

    //==============================================================================
    // Persistence: image entries in a property set

    /** Writes the image entry (one byte per pixel) under key + "_data"; refuses, returning
        false and leaving the set unchanged, an image wider or taller than 65,535. */
    bool writeToPropertySet (SxPropertySet& set, const juce::String& key) const override;

    /** The image whose entry lies under key + "_data", as SxImageRgbaBytes reads colour
        entries. The reversed-bytes flag means nothing for one-byte pixels and is ignored. */
    static SxRef<SxImageAlphaByte> readFromPropertySet (const SxPropertySet& set, const juce::String& key);

    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;

private:
    SxImageAlphaByte& operator= (const SxImageAlphaByte&) = delete;
};
