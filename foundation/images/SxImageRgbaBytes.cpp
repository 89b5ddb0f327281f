#include "SxImageRgbaBytes.h"

#include "AppIdentity.h"
#include "AtomicFileWriter.h"
#include "Geometry.h"
#include "HugePageMemory.h"
#include "ImageBlob.h"
#include "PlatformPaths.h"
#include "SxPropertySet.h"
#include "ImageSpan.h"
#include "PixelMath.h"
#include "SxImageAlphaByte.h"
#include "ImageRGBAPixelData.h"
#include "ImageRGBAPixelDataNoCopy.h"
#include "PlatformImage.h"
#include "ParallelRows.h"
#include "PremultiplyTables.h"
#include "RegionCopy.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

using PixelMath::div255Round;

namespace
{
    uint8_t* allocatePixels (int w, int h, bool cleared = true)
    {
        const size_t bytes = PixelMath::checkedImageBytes (w, h, 4);
        if (bytes == 0)
            return nullptr;
        auto* p = static_cast<uint8_t*> (HugePageMemory::allocate (bytes, cleared));
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }

    /** Source-over of a straight-alpha colour onto a destination pixel; integer maths
        with one reciprocal per pixel. */
    inline void sourceOver (uint8_t* d, int sa, int sr, int sg, int sb) noexcept
    {
        if (sa == 0)
            return;
        if (sa == 255)
        {
            d[0] = 255; d[1] = (uint8_t) sr; d[2] = (uint8_t) sg; d[3] = (uint8_t) sb;
            return;
        }
        const int k = div255Round (d[0] * (255 - sa));
        const int na = sa + k;
        const float f = (float) (1.0 / (double) na);
        d[0] = (uint8_t) na;
        d[1] = (uint8_t) (int) ((float) (sr * sa + d[1] * k) * f);
        d[2] = (uint8_t) (int) ((float) (sg * sa + d[2] * k) * f);
        d[3] = (uint8_t) (int) ((float) (sb * sa + d[3] * k) * f);
    }

    RectBounds lastPixelBounds (int w, int h) noexcept
    {
        return { 0.0f, 0.0f, (float) (w - 1), (float) (h - 1) };
    }
}

SxImageRgbaBytes::SxImageRgbaBytes() = default;

SxImageRgbaBytes::SxImageRgbaBytes (int w, int h)
    : pixels (allocatePixels (w, h)), width (w), height (h), ownsPixels (true)
{
}

SxImageRgbaBytes::SxImageRgbaBytes (int w, int h, Uninitialised)
    : pixels (allocatePixels (w, h, false)), width (w), height (h), ownsPixels (true)
{
}

SxImageRgbaBytes::SxImageRgbaBytes (const SxImageRgbaBytes& other)
    : SxSmartPtr(), pixels (allocatePixels (other.width, other.height, other.pixels == nullptr)),
      width (other.width), height (other.height), ownsPixels (true)
{
    if (pixels != nullptr && other.pixels != nullptr)
        std::memcpy (pixels, other.pixels, (size_t) width * (size_t) height * 4);
}

SxImageRgbaBytes::~SxImageRgbaBytes()
{
    if (ownsPixels && pixels != nullptr)
        std::free (pixels);
    pixels = nullptr;
}

SxImageRgbaBytes* SxImageRgbaBytes::clone() const
{
    return new SxImageRgbaBytes (*this);
}

uint32_t SxImageRgbaBytes::getPixel (int x, int y) const noexcept
{
    uint32_t word = 0;
    getPixelInto (word, x, y);
    return word;
}

void SxImageRgbaBytes::getPixelInto (uint32_t& out, int x, int y) const noexcept
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    const uint8_t* p = getRowPointer (y) + (size_t) x * 4;
    out = PixelMath::makeWord (p[0], p[1], p[2], p[3]);
}

void SxImageRgbaBytes::setPixel (uint32_t word, int x, int y) noexcept
{
    uint8_t* p = getRowPointer (y) + (size_t) x * 4;
    p[0] = PixelMath::wordAlpha (word);
    p[1] = PixelMath::wordRed (word);
    p[2] = PixelMath::wordGreen (word);
    p[3] = PixelMath::wordBlue (word);
}

void SxImageRgbaBytes::clear() noexcept
{
    if (pixels != nullptr)
        std::memset (pixels, 0, (size_t) width * (size_t) height * 4);
}

void SxImageRgbaBytes::fill (uint32_t word) noexcept
{
    const uint8_t bytes[4] = { PixelMath::wordAlpha (word), PixelMath::wordRed (word),
                               PixelMath::wordGreen (word), PixelMath::wordBlue (word) };
    if (pixels == nullptr)
        return;
    ParallelRows::forEachBand (0, height, width, [&] (int y0, int y1)
    {
        for (uint8_t* p = getRowPointer (y0); p != getRowPointer (y1); p += 4)
            std::memcpy (p, bytes, 4);
    });
}

void SxImageRgbaBytes::copyPixelsFrom (const SxImageRgbaBytes& other) noexcept
{
    if (pixels == nullptr || other.pixels == nullptr || pixels == other.pixels)
        return;
    // Rows in bands on all cores: a fresh buffer's first touch costs more than the copy.
    const int w = std::min (width, other.width);
    const int h = std::min (height, other.height);
    ParallelRows::forEachBand (0, h, w, [&] (int y0, int y1)
    {
        if (other.width == width && w == width)
            std::memcpy (getRowPointer (y0), other.getRowPointer (y0), (size_t) (y1 - y0) * (size_t) width * 4);
        else
            for (int y = y0; y < y1; ++y)
                std::memcpy (getRowPointer (y), other.getRowPointer (y), (size_t) w * 4);
    });
}

void SxImageRgbaBytes::convertToRgbaOrder() noexcept
{
    const size_t count = (size_t) width * (size_t) height;
    for (uint8_t* p = pixels; p != pixels + count * 4; p += 4)
    {
        const uint8_t a = p[0];
        p[0] = p[1]; p[1] = p[2]; p[2] = p[3]; p[3] = a;
    }
}

void SxImageRgbaBytes::convertToArgbOrder() noexcept
{
    const size_t count = (size_t) width * (size_t) height;
    for (uint8_t* p = pixels; p != pixels + count * 4; p += 4)
    {
        const uint8_t a = p[3];
        p[3] = p[2]; p[2] = p[1]; p[1] = p[0]; p[0] = a;
    }
}

void SxImageRgbaBytes::setFromGray (const SxImageAlphaByte& gray) noexcept
{
    const int w = std::min (width, gray.width);
    const int h = std::min (height, gray.height);
    for (int y = 0; y < h; ++y)
    {
        uint8_t* d = getRowPointer (y);
        const uint8_t* g = gray.getRowPointer (y);
        for (int x = 0; x < w; ++x, d += 4)
        {
            d[0] = 255;
            d[1] = d[2] = d[3] = g[x];
        }
    }
}

void SxImageRgbaBytes::flattenOntoColour (uint32_t colour) noexcept
{
    const int ba = PixelMath::wordAlpha (colour);
    const int cr = PixelMath::wordRed (colour), cg = PixelMath::wordGreen (colour), cb = PixelMath::wordBlue (colour);
    const size_t count = (size_t) width * (size_t) height;

    for (uint8_t* p = pixels; p != pixels + count * 4; p += 4)
    {
        const int pa = p[0];
        if (pa == 255)
            continue;
        if (pa == 0)
        {
            p[0] = (uint8_t) ba; p[1] = (uint8_t) cr; p[2] = (uint8_t) cg; p[3] = (uint8_t) cb;
            continue;
        }
        const int k = div255Round (ba * (255 - pa));
        const float f = (float) (1.0 / (double) (pa + k));
        p[0] = (uint8_t) (pa + k);
        p[1] = (uint8_t) (int) ((float) (p[1] * pa + cr * k) * f);
        p[2] = (uint8_t) (int) ((float) (p[2] * pa + cg * k) * f);
        p[3] = (uint8_t) (int) ((float) (p[3] * pa + cb * k) * f);
    }
}

void SxImageRgbaBytes::fillRect (RectBounds& rect, uint32_t word) noexcept
{
    clipRectToBounds (rect, lastPixelBounds (width, height));
    const auto span = ImageSpan::fromRect (&rect, width, height);
    if (span.isEmpty())
        return;

    const uint8_t bytes[4] = { PixelMath::wordAlpha (word), PixelMath::wordRed (word),
                               PixelMath::wordGreen (word), PixelMath::wordBlue (word) };
    for (int y = span.y0; y < span.y1; ++y)
    {
        uint8_t* d = getRowPointer (y) + (size_t) span.x0 * 4;
        for (int x = span.x0; x < span.x1; ++x, d += 4)
            std::memcpy (d, bytes, 4);
    }
}

void SxImageRgbaBytes::compositeFrom (const SxImageRgbaBytes& source, const RectBounds* rect) noexcept
{
    const auto span = ImageSpan::fromRect (rect, width, height).clippedTo (source.width, source.height);
    for (int y = span.y0; y < span.y1; ++y)
    {
        uint8_t* d = getRowPointer (y) + (size_t) span.x0 * 4;
        const uint8_t* s = source.getRowPointer (y) + (size_t) span.x0 * 4;
        for (int x = span.x0; x < span.x1; ++x, d += 4, s += 4)
            sourceOver (d, s[0], s[1], s[2], s[3]);
    }
}

void SxImageRgbaBytes::compositeThroughMask (const SxImageRgbaBytes& source, const SxImageAlphaByte* mask, const RectBounds* rect) noexcept
{
    auto span = ImageSpan::fromRect (rect, width, height).clippedTo (source.width, source.height);
    if (mask != nullptr)
        span = span.clippedTo (mask->width, mask->height);

    for (int y = span.y0; y < span.y1; ++y)
    {
        uint8_t* d = getRowPointer (y) + (size_t) span.x0 * 4;
        const uint8_t* s = source.getRowPointer (y) + (size_t) span.x0 * 4;
        const uint8_t* m = mask != nullptr ? mask->getRowPointer (y) + span.x0 : nullptr;

        for (int x = span.x0; x < span.x1; ++x, d += 4, s += 4)
        {
            const int coverage = (m != nullptr ? *m++ : 255) * s[0];
            if (coverage < 255)
                continue;
            const int f = coverage / 255;
            const double a = d[0] + (double) ((255 - d[0]) * f) / 255.0;
            d[0] = (uint8_t) (int) a;
            for (int c = 1; c < 4; ++c)
                d[c] = (uint8_t) std::min (255, (int) (((double) d[c] * (a - f) + (double) s[c] * f) / a + 0.5));
        }
    }
}

void SxImageRgbaBytes::fillColourThroughMask (uint32_t colour, const SxImageAlphaByte* mask, const RectBounds* rect) noexcept
{
    auto span = ImageSpan::fromRect (rect, width, height);
    if (mask != nullptr)
        span = span.clippedTo (mask->width, mask->height);

    const float alphaScale = (float) PixelMath::wordAlpha (colour) / 255.0f;
    const int cr = PixelMath::wordRed (colour), cg = PixelMath::wordGreen (colour), cb = PixelMath::wordBlue (colour);

    for (int y = span.y0; y < span.y1; ++y)
    {
        uint8_t* d = getRowPointer (y) + (size_t) span.x0 * 4;
        const uint8_t* m = mask != nullptr ? mask->getRowPointer (y) + span.x0 : nullptr;
        for (int x = span.x0; x < span.x1; ++x, d += 4)
        {
            const auto e = (uint8_t) (int) ((float) (m != nullptr ? *m++ : 255) * alphaScale);
            sourceOver (d, e, cr, cg, cb);
        }
    }
}

void SxImageRgbaBytes::multiplyAlpha (const SxImageRgbaBytes& other, const RectBounds* rect) noexcept
{
    RectBounds area = rect != nullptr ? *rect : RectBounds::unset();
    clipRectToBounds (area, lastPixelBounds (width, height));
    const auto span = ImageSpan::fromRect (&area, width, height).clippedTo (other.width, other.height);

    ParallelRows::forEachBand (span.y0, span.y1, span.columns(), [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            uint8_t* d = getRowPointer (y) + (size_t) span.x0 * 4;
            const uint8_t* o = other.getRowPointer (y) + (size_t) span.x0 * 4;
            for (int x = span.x0; x < span.x1; ++x, d += 4, o += 4)
                d[0] = (uint8_t) (int) ((float) d[0] * ((float) o[0] / 255.0f));
        }
    });
}

void SxImageRgbaBytes::mixWith (const SxImageRgbaBytes& other, const RectBounds* rect, float t) noexcept
{
    RectBounds area = rect != nullptr ? *rect : RectBounds::unset();
    clipRectToBounds (area, lastPixelBounds (other.width, other.height));
    const auto span = ImageSpan::fromRect (&area, other.width, other.height).clippedTo (width, height);
    const float keep = 1.0f - t;

    ParallelRows::forEachBand (span.y0, span.y1, span.columns(), [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            uint8_t* d = getRowPointer (y) + (size_t) span.x0 * 4;
            const uint8_t* o = other.getRowPointer (y) + (size_t) span.x0 * 4;
            for (int i = 0; i < span.columns() * 4; ++i)
                d[i] = (uint8_t) std::clamp ((int) ((float) d[i] * keep + (float) o[i] * t), 0, 255);
        }
    });
}

//==============================================================================
// Framework and platform image bridges

SxImageRgbaBytes::SxImageRgbaBytes (const juce::Image& image)
    : SxImageRgbaBytes (image.getWidth(), image.getHeight(), uninitialised)
{
    if (pixels == nullptr)
        return;

    const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
    const auto format = bits.pixelFormat;
    if (format != juce::Image::RGB && format != juce::Image::ARGB && format != juce::Image::SingleChannel)
    {
        clear();
        return;
    }

    const uint8_t* unpremultiply = PremultiplyTables::unpremultiply();
    ParallelRows::forEachBand (0, height, width, [&] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
        {
            const uint8_t* s = bits.getLinePointer (y);
            uint8_t* d = getRowPointer (y);
            if (format == juce::Image::RGB)
            {
                for (int x = 0; x < width; ++x, d += 4, s += bits.pixelStride)
                {
                    d[0] = 255; d[1] = s[2]; d[2] = s[1]; d[3] = s[0];
                }
            }
            else if (format == juce::Image::ARGB)
            {
                // Alpha 0 gives four zero bytes; alpha 255 divides to the colour itself.
                for (int x = 0; x < width; ++x, d += 4, s += bits.pixelStride)
                {
                    const int a = s[3];
                    if (a == 0)
                    {
                        std::memset (d, 0, 4);
                        continue;
                    }
                    const uint8_t* divided = PremultiplyTables::row (unpremultiply, a);
                    d[0] = (uint8_t) a; d[1] = divided[s[2]]; d[2] = divided[s[1]]; d[3] = divided[s[0]];
                }
            }
            else
            {
                for (int x = 0; x < width; ++x, d += 4, s += bits.pixelStride)
                {
                    d[0] = 255; d[1] = d[2] = d[3] = s[0];
                }
            }
        }
    });
}

SxImageRgbaBytes::SxImageRgbaBytes (const PlatformImage& image)
    : SxImageRgbaBytes (image.isValid() ? image.width : 0, image.isValid() ? image.height : 0, uninitialised)
{
    if (pixels == nullptr)
        return;
    ParallelRows::forEachBand (0, height, width, [&] (int y0, int y1)
    {
        const uint8_t* s = image.getRow (y0);
        for (uint8_t* d = getRowPointer (y0); d != getRowPointer (y1); d += 4, s += 4)
        {
            d[0] = s[3]; d[1] = s[0]; d[2] = s[1]; d[3] = s[2];
        }
    });
}

juce::Image SxImageRgbaBytes::toImage()
{
    if (pixels == nullptr)
        return {};
    return juce::Image (new ImageRGBAPixelData (*this));
}

void SxImageRgbaBytes::wrapAsImage (juce::Image& out)
{
    if (pixels == nullptr)
    {
        out = {};
        return;
    }
    ParallelRows::forEachBand (0, height, width, [this] (int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
            ImageRGBAPixelData::premultiplyRow (getRowPointer (y), getRowPointer (y), width);
    });
    out = juce::Image (new ImageRGBAPixelDataNoCopy (*this));
}

void SxImageRgbaBytes::copyToImage (juce::Image& image, RectBounds& rect, bool notify)
{
    clipRectToBounds (rect, lastPixelBounds (width, height));

    if (image.isValid() && image.getFormat() == juce::Image::ARGB)
    {
        const auto span = ImageSpan::fromRect (&rect, width, height).clippedTo (image.getWidth(), image.getHeight());
        juce::Image::BitmapData bits (image, juce::Image::BitmapData::readWrite);
        const uint8_t* rounded = PremultiplyTables::premultiplyRounded();
        ParallelRows::forEachBand (0, span.y1 - span.y0, span.columns(), [&] (int r0, int r1)
        {
            for (int y = span.y0 + r0; y < span.y0 + r1; ++y)
            {
                const uint8_t* s = getRowPointer (y) + (size_t) span.x0 * 4;
                uint8_t* d = bits.getPixelPointer (span.x0, y);
                for (int x = span.x0; x < span.x1; ++x, s += 4, d += bits.pixelStride)
                {
                    // The rounded division keeps opaque pixels as they are.
                    const uint8_t* scaled = PremultiplyTables::row (rounded, s[0]);
                    d[0] = scaled[s[3]]; d[1] = scaled[s[2]]; d[2] = scaled[s[1]]; d[3] = s[0];
                }
            }
        });
    }

    if (notify && image.isValid())
        if (auto* data = image.getPixelData())
            data->sendDataChangeMessage();
}

PlatformImage SxImageRgbaBytes::createPlatformImage() const
{
    PlatformImage image;
    if (pixels == nullptr || width <= 0 || height <= 0)
        return image;
    image.width = width;
    image.height = height;
    image.rgba.resize ((size_t) width * (size_t) height * 4);
    ParallelRows::forEachBand (0, height, width, [&] (int y0, int y1)
    {
        const uint8_t* s = getRowPointer (y0);
        for (uint8_t* d = image.getRow (y0); d != image.getRow (y1); d += 4, s += 4)
        {
            d[0] = s[1]; d[1] = s[2]; d[2] = s[3]; d[3] = s[0];
        }
    });
    return image;
}

//==============================================================================
// Region copies

void SxImageRgbaBytes::copyRegionFrom (const SxImageRgbaBytes& source, const RectBounds& sourceRect, const SxPoint& destinationPoint) noexcept
{
    RegionCopy::copyBytes (pixels, width, height, source.pixels, source.width, source.height, 4, sourceRect, destinationPoint);
}

//==============================================================================
// Persistence

namespace
{
    SxRef<SxImageRgbaBytes> imageFromBlob (ImageBlob::Content& content)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes());
        image->ownsPixels = true;
        if (content.result == ImageBlob::Content::Result::noHeight)
            image->width = content.width;

        if (content.result == ImageBlob::Content::Result::complete)
        {
            image->pixels = content.pixels.release();
            image->width = content.width;
            image->height = content.height;
        }
        return image;
    }
}

bool SxImageRgbaBytes::writeToPropertySet (SxPropertySet& set, const juce::String& key) const
{
    return ImageBlob::writeEntry (set, key, width, height, pixels, 4);
}

SxRef<SxImageRgbaBytes> SxImageRgbaBytes::readFromPropertySet (const SxPropertySet& set, const juce::String& key)
{
    juce::MemoryBlock compressed;
    if (! ImageBlob::readEntryBytes (set, key, compressed))
        return {};

    juce::MemoryInputStream in (compressed, false);
    auto content = ImageBlob::read (in, 4);
    if (content.result == ImageBlob::Content::Result::refused)
        return {};
    return imageFromBlob (content);
}

SxRef<SxImageRgbaBytes> SxImageRgbaBytes::readFromStream (juce::InputStream& stream)
{
    constexpr int marker = 0x47414D49; // "IMAG"
    const auto start = stream.getPosition();

    if (stream.readInt() == marker)
    {
        // Read only what the length announces and the stream holds, so the caller
        // finds the stream just after the compressed bytes.
        const int length = stream.readInt();
        juce::MemoryBlock compressed;
        if (length > 0)
            stream.readIntoMemoryBlock (compressed, length);

        juce::MemoryInputStream in (compressed, false);
        auto content = ImageBlob::read (in, 4);
        if (content.result != ImageBlob::Content::Result::complete)
            return {};
        return imageFromBlob (content);
    }

    stream.setPosition (start);
    auto content = ImageBlob::read (stream, 4);
    if (content.result == ImageBlob::Content::Result::refused)
        return {};
    return imageFromBlob (content);
}

juce::File SxImageRgbaBytes::getSwapFile (const juce::String& name)
{
    return PlatformPaths::getApplicationDataFolder (AppIdentity::getAppName()).getChildFile (name);
}

bool SxImageRgbaBytes::swapOut (const juce::String& name) const
{
    if (width < 0 || height < 0 || width > ImageBlob::maxSide || height > ImageBlob::maxSide)
        return false;
    const size_t numBytes = (size_t) width * (size_t) height * 4;
    if (numBytes > 0 && pixels == nullptr)
        return false;

    const auto file = getSwapFile (name);
    if (! file.getParentDirectory().isDirectory())
        return false;

    // A failed write never leaves a half-written swap file nor loses the previous one.
    return AtomicFileWriter::write (file, [&] (juce::OutputStream& out)
    {
        return out.writeShort ((short) (uint16_t) width) && out.writeShort ((short) (uint16_t) height)
            && (numBytes == 0 || out.write (pixels, numBytes));
    });
}

bool SxImageRgbaBytes::swapIn (const juce::String& name, bool deleteAfterReading)
{
    const auto file = getSwapFile (name);
    juce::FileInputStream in (file);
    if (! in.openedOk())
        return false;

    uint8_t header[4];
    if (in.read (header, 4) != 4)
        return false;
    const int w = header[0] | header[1] << 8;
    const int h = header[2] | header[3] << 8;
    if (w == 0 || h == 0 || (size_t) w * (size_t) h > PixelMath::maxPixelCount)
        return false;

    // Allocate only what the file holds, and take the pixels only when all arrived.
    const size_t numBytes = (size_t) w * (size_t) h * 4;
    if (in.getNumBytesRemaining() < (juce::int64) numBytes)
        return false;
    ImageBlob::PixelMemory fresh (static_cast<uint8_t*> (HugePageMemory::allocate (numBytes, false)));
    if (fresh == nullptr)
        return false;
    for (size_t got = 0; got < numBytes;)
    {
        const int n = in.read (fresh.get() + got, (int) std::min<size_t> (numBytes - got, 1 << 30));
        if (n <= 0)
            return false;
        got += (size_t) n;
    }

    if (ownsPixels && pixels != nullptr)
        std::free (pixels);
    pixels = fresh.release();
    width = w;
    height = h;
    ownsPixels = true;

    if (deleteAfterReading)
        file.deleteFile();
    return true;
}

void SxImageRgbaBytes::deleteSwapFile (const juce::String& name)
{
    getSwapFile (name).deleteFile();
}
