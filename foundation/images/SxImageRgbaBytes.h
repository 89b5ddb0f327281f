#pragma once

#include "RectBounds.h"
#include "SxPoint.h"
#include "SxSmartPtr.h"

#include <juce_graphics/juce_graphics.h>

#include <cstdint>

class SxImageAlphaByte;
struct PlatformImage;

/** Reference-counted 8-bit colour image with straight alpha.

    Pixels are four bytes in memory order alpha, red, green, blue; rows run top to
    bottom, packed back to back (stride = width * 4). A pixel passed as a word is the
    little-endian word of those bytes: B<<24 | G<<16 | R<<8 | A.

    Rectangle operations take an optional RectBounds whose right and bottom are the last
    column and row included; every loop is clipped to all images it touches.
*/
class SxImageRgbaBytes : public SxSmartPtr
{
public:
    /** An empty image: no pixels, 0 x 0. */
    SxImageRgbaBytes();
    /** width x height transparent black pixels; negative or absurd sizes throw std::bad_alloc. */
    SxImageRgbaBytes (int width, int height);

    enum Uninitialised { uninitialised };
    /** width x height pixels of undefined value, for an image that is filled or copied
        into right away: it saves clearing memory that is overwritten next. */
    SxImageRgbaBytes (int width, int height, Uninitialised);
    /** A new buffer holding a copy of the other's pixels. */
    SxImageRgbaBytes (const SxImageRgbaBytes& other);
    ~SxImageRgbaBytes() override;

    /** A new image (count 1) made with the copy constructor. */
    SxImageRgbaBytes* clone() const;

    //==============================================================================
    // Pixel access

    /** The pixel word at (x, y), or 0 outside the image. */
    uint32_t getPixel (int x, int y) const noexcept;
    /** Writes the pixel at (x, y) into out when inside the image; otherwise out keeps its value. */
    void getPixelInto (uint32_t& out, int x, int y) const noexcept;
    /** Stores a word without a bounds check: the caller passes a point inside the image. */
    void setPixel (uint32_t word, int x, int y) noexcept;
    /** Address of the first byte of row y. */
    uint8_t* getRowPointer (int y) const noexcept { return pixels + (size_t) y * (size_t) width * 4; }
    /** (0, 0, width, height). */
    juce::Rectangle<float> getBounds() const noexcept { return { 0.0f, 0.0f, (float) width, (float) height }; }

    //==============================================================================
    // Whole-image operations

    void clear() noexcept;
    void fill (uint32_t word) noexcept;
    /** Copies the other's pixels to the same positions; only the area both images share is written. */
    void copyPixelsFrom (const SxImageRgbaBytes& other) noexcept;
    /** A,R,G,B -> R,G,B,A in every pixel (the order a texture upload expects). */
    void convertToRgbaOrder() noexcept;
    /** R,G,B,A -> A,R,G,B in every pixel (after a texture read-back). */
    void convertToArgbOrder() noexcept;
    /** Opaque gray pixels from the gray image, over the area both images share. */
    void setFromGray (const SxImageAlphaByte& gray) noexcept;
    /** Places the image over a solid background of the colour word. */
    void flattenOntoColour (uint32_t colour) noexcept;

    //==============================================================================
    // Rectangle operations

    /** Clips rect to the image (left in rect for the caller; unset means the whole image) and fills it. */
    void fillRect (RectBounds& rect, uint32_t word) noexcept;
    /** Source-over of source onto this image. */
    void compositeFrom (const SxImageRgbaBytes& source, const RectBounds* rect = nullptr) noexcept;
    /** Source-over weighted by a mask; a null mask counts as 255 everywhere. */
    void compositeThroughMask (const SxImageRgbaBytes& source, const SxImageAlphaByte* mask, const RectBounds* rect = nullptr) noexcept;
    /** Paints one colour through a mask; a null mask counts as 255 everywhere. */
    void fillColourThroughMask (uint32_t colour, const SxImageAlphaByte* mask, const RectBounds* rect = nullptr) noexcept;
    /** Multiplies this image's alpha by the other's alpha / 255; colour bytes are untouched. */
    void multiplyAlpha (const SxImageRgbaBytes& other, const RectBounds* rect = nullptr) noexcept;
    /** Cross-fades all four bytes towards the other image by t. */
    void mixWith (const SxImageRgbaBytes& other, const RectBounds* rect, float t) noexcept;

    //==============================================================================
    // Framework and platform image bridges

    /** A buffer of the image's size holding its pixels with straight alpha: RGB and
        single-channel images arrive opaque, premultiplied ARGB colour is divided by
        alpha (truncated, at most 255), alpha 0 gives four zero bytes. Other formats
        give transparent black. */
    explicit SxImageRgbaBytes (const juce::Image& image);
    /** A buffer holding a platform image's pixels (straight red, green, blue, alpha). */
    explicit SxImageRgbaBytes (const PlatformImage& image);

    /** A framework image over its own premultiplied copy of this buffer; later changes on
        either side stay on that side. An empty buffer gives an invalid image. */
    juce::Image toImage();
    /** Converts this buffer for good into the framework's premultiplied blue, green, red,
        alpha layout and makes `out` an image over that memory. The image retains the
        buffer, so either may be let go first; the buffer's bytes serve only the image. */
    void wrapAsImage (juce::Image& out);
    /** Writes the rectangle (clipped to this buffer; the caller's rectangle holds the
        clipped values) into an ARGB framework image at the same coordinates, premultiplied
        with the rounded division (opaque pixels unchanged). Images of other formats are not
        written. With notify, the image's listeners hear that its data changed. */
    void copyToImage (juce::Image& image, RectBounds& rect, bool notify);
    /** A platform image of this buffer's size and pixels, straight alpha, 72 dpi. */
    PlatformImage createPlatformImage() const;

    // Region copies

    /** Unscaled copy of the source's inclusive rectangle so that (sourceRect.left,
        sourceRect.top) lands on the truncated destination point; clipped to both images.
        Same-size images copied as a whole take one block copy. */
    void copyRegionFrom (const SxImageRgbaBytes& source, const RectBounds& sourceRect, const SxPoint& destinationPoint) noexcept;

    // Persistence: image entries in a property set, the older project block, the swap file

    /** Writes the image entry (zlib of flag 0, 16-bit width and height, pixels, as
        base-64 memory-block text) under key + "_data". Refuses, returning false and
        leaving the set unchanged, an image wider or taller than 65,535. */
    bool writeToPropertySet (SxPropertySet& set, const juce::String& key) const override;

    /** The image whose entry lies under key + "_data"; none when the entry is missing,
        empty or larger than its data could hold. A missing or zero width gives a 0 x 0
        image, a missing or zero height an image of that width, height 0 and no pixels;
        pixel bytes that do not arrive are zero. */
    static SxRef<SxImageRgbaBytes> readFromPropertySet (const SxPropertySet& set, const juce::String& key);

    /** Reads the older project image block at the stream's position: optionally the
        marker "IMAG" and an int32 length before the zlib data. With the marker, a
        missing size gives none and the stream is left just after the compressed bytes;
        without it, a missing size gives an image without pixels. */
    static SxRef<SxImageRgbaBytes> readFromStream (juce::InputStream& stream);

    /** Writes the swap file (16-bit width and height, then the pixels) in the
        application's data folder, creating the folder; the file is written under a
        temporary name and renamed over any older one. True when the whole file was
        written; images wider or taller than 65,535 are refused. */
    bool swapOut (const juce::String& name) const;

    /** Replaces the pixels with those of the swap file. Only a complete file is taken;
        otherwise the result is false and the image keeps its pixels. The file is
        deleted after a successful read when deleteAfterReading is true. */
    bool swapIn (const juce::String& name, bool deleteAfterReading);

    /** Deletes the swap file of that name; a missing file is no error. */
    static void deleteSwapFile (const juce::String& name);

    /** The swap file of that name in the application's data folder. */
    static juce::File getSwapFile (const juce::String& name);

    //==============================================================================
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    bool ownsPixels = false;

private:
    SxImageRgbaBytes& operator= (const SxImageRgbaBytes&) = delete;
};
