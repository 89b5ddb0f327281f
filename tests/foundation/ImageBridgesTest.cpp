#include "ImageCodecs.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "PlatformImage.h"
#include "SxImageRgbaBytes.h"

#include <gtest/gtest.h>

namespace
{
    using PixelMath::makeWord;

    /** A 1 x 1 framework ARGB image holding the premultiplied bytes b, g, r, a. */
    juce::Image frameworkPixel (uint8_t b, uint8_t g, uint8_t r, uint8_t a)
    {
        juce::Image image (juce::Image::ARGB, 1, 1, true, juce::SoftwareImageType());
        juce::Image::BitmapData bits (image, juce::Image::BitmapData::writeOnly);
        uint8_t* p = bits.getLinePointer (0);
        p[0] = b; p[1] = g; p[2] = r; p[3] = a;
        return image;
    }

    std::array<uint8_t, 4> frameworkBytes (const juce::Image& image, int x = 0, int y = 0)
    {
        const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
        const uint8_t* p = bits.getPixelPointer (x, y);
        return { p[0], p[1], p[2], p[3] };
    }

    SxRef<SxImageRgbaBytes> onePixel (uint32_t word)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (1, 1));
        image->setPixel (word, 0, 0);
        return image;
    }
}

TEST (ImageBridges, FrameworkPixelsArriveStraight)
{
    struct Case { const char* name; std::array<uint8_t, 4> bgra; uint32_t expected; };
    const Case cases[] = {
        { "half alpha, 64 red: 64 * 255 / 128 truncated", { 0, 0, 64, 128 }, makeWord (128, 127, 0, 0) },
        { "alpha 0 with colour bytes", { 9, 8, 7, 0 }, 0 },
        { "opaque copies", { 3, 2, 1, 255 }, makeWord (255, 1, 2, 3) },
        { "colour above alpha is limited", { 0, 0, 200, 100 }, makeWord (100, 255, 0, 0) },
        { "alpha 1", { 0, 0, 1, 1 }, makeWord (1, 255, 0, 0) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (frameworkPixel (c.bgra[0], c.bgra[1], c.bgra[2], c.bgra[3])));
        EXPECT_EQ (image->getPixel (0, 0), c.expected);
    }

    juce::Image rgb (juce::Image::RGB, 1, 1, true, juce::SoftwareImageType());
    rgb.setPixelAt (0, 0, juce::Colour (10, 20, 30));
    EXPECT_EQ (SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (rgb))->getPixel (0, 0), makeWord (255, 10, 20, 30));

    juce::Image gray (juce::Image::SingleChannel, 1, 1, true, juce::SoftwareImageType());
    juce::Image::BitmapData (gray, juce::Image::BitmapData::writeOnly).getLinePointer (0)[0] = 77;
    EXPECT_EQ (SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (gray))->getPixel (0, 0), makeWord (255, 77, 77, 77));
}

TEST (ImageBridges, PremultipliedCopiesAreIndependentOfTheBuffer)
{
    auto buffer = onePixel (makeWord (128, 255, 0, 0));
    auto image = buffer->toImage();
    EXPECT_EQ (frameworkBytes (image), (std::array<uint8_t, 4> { 0, 0, 128, 128 }));

    buffer->setPixel (makeWord (255, 0, 0, 255), 0, 0);
    EXPECT_EQ (frameworkBytes (image), (std::array<uint8_t, 4> { 0, 0, 128, 128 })) << "the copy must not follow the buffer";

    // clone() copies the buffer's current pixels again.
    const juce::Image cloned (image.getPixelData()->clone());
    EXPECT_EQ (frameworkBytes (cloned), (std::array<uint8_t, 4> { 255, 0, 0, 255 }));

    // Drawing into the image leaves the buffer alone.
    juce::Graphics (image).fillAll (juce::Colours::lime);
    EXPECT_EQ (buffer->getPixel (0, 0), makeWord (255, 0, 0, 255));

    EXPECT_FALSE (SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes())->toImage().isValid());
}

TEST (ImageBridges, CopyToImageKeepsOpaquePixelsAndRoundsTheRest)
{
    SxRef<SxImageRgbaBytes> buffer (new SxImageRgbaBytes (3, 1));
    buffer->setPixel (makeWord (255, 255, 255, 255), 0, 0);
    buffer->setPixel (makeWord (128, 255, 0, 0), 1, 0);
    buffer->setPixel (makeWord (0, 90, 90, 90), 2, 0);

    juce::Image image (juce::Image::ARGB, 3, 1, false, juce::SoftwareImageType());
    image.clear (image.getBounds(), juce::Colours::blue);
    RectBounds rect { -4.0f, -4.0f, 10.0f, 10.0f };
    buffer->copyToImage (image, rect, true);

    EXPECT_EQ (rect, (RectBounds { 0.0f, 0.0f, 2.0f, 0.0f })) << "the caller's rectangle holds the clipped values";
    EXPECT_EQ (frameworkBytes (image, 0), (std::array<uint8_t, 4> { 255, 255, 255, 255 }));
    EXPECT_EQ (frameworkBytes (image, 1), (std::array<uint8_t, 4> { 0, 0, 128, 128 }));
    EXPECT_EQ (frameworkBytes (image, 2), (std::array<uint8_t, 4> { 0, 0, 0, 0 }));

    // Every straight value survives the trip out and back within the rounding of premultiplying.
    for (int a = 1; a < 256; a += 17)
        for (int c = 0; c < 256; c += 15)
        {
            auto pixel = onePixel (makeWord ((uint8_t) a, (uint8_t) c, 0, 0));
            juce::Image target (juce::Image::ARGB, 1, 1, true, juce::SoftwareImageType());
            RectBounds all;
            pixel->copyToImage (target, all, false);
            SxRef<SxImageRgbaBytes> back (new SxImageRgbaBytes (target));
            EXPECT_NEAR (PixelMath::wordRed (back->getPixel (0, 0)), c, 255.0 / a + 1) << "alpha " << a;
        }

    juce::Image rgb (juce::Image::RGB, 3, 1, true, juce::SoftwareImageType());
    RectBounds all;
    buffer->copyToImage (rgb, all, true);
    EXPECT_EQ (rgb.getPixelAt (0, 0), juce::Colour (0, 0, 0)) << "only ARGB images are written";
}

TEST (ImageBridges, ImagesKeepTheirBufferAliveAfterItsRelease)
{
    // Run under the sanitizer build: a view that did not retain its buffer reads freed memory here.
    juce::Image view, copy;
    {
        auto wrapped = onePixel (makeWord (255, 10, 20, 30));
        wrapped->wrapAsImage (view);
        EXPECT_EQ (wrapped->getReferenceCount(), 2);
        auto copied = onePixel (makeWord (255, 10, 20, 30));
        copy = copied->toImage();
        EXPECT_EQ (copied->getReferenceCount(), 2);
    }
    EXPECT_EQ (frameworkBytes (view), (std::array<uint8_t, 4> { 30, 20, 10, 255 }));
    juce::Graphics (view).fillAll (juce::Colours::white);
    EXPECT_EQ (frameworkBytes (view), (std::array<uint8_t, 4> { 255, 255, 255, 255 }));

    const juce::Image clonedCopy (copy.getPixelData()->clone());
    EXPECT_EQ (frameworkBytes (clonedCopy), (std::array<uint8_t, 4> { 30, 20, 10, 255 }));
    const juce::Image clonedView (view.getPixelData()->clone());
    EXPECT_EQ (frameworkBytes (clonedView), (std::array<uint8_t, 4> { 255, 255, 255, 255 }));
}

TEST (ImageBridges, WrapAsImageConvertsTheBufferInPlace)
{
    auto buffer = onePixel (makeWord (128, 255, 0, 0));
    const uint8_t* memory = buffer->pixels;
    juce::Image view;
    buffer->wrapAsImage (view);
    const juce::Image::BitmapData bits (view, juce::Image::BitmapData::readOnly);
    EXPECT_EQ (bits.data, memory);
    EXPECT_EQ (frameworkBytes (view), (std::array<uint8_t, 4> { 0, 0, 128, 128 }));
}

TEST (ImageBridges, PlatformImagesCrossBothWays)
{
    PlatformImage platform;
    platform.allocate (2, 1);
    const uint8_t rgba[] = { 1, 2, 3, 4, 250, 251, 252, 255 };
    std::memcpy (platform.rgba.data(), rgba, 8);

    SxRef<SxImageRgbaBytes> buffer (new SxImageRgbaBytes (platform));
    EXPECT_EQ (buffer->getPixel (0, 0), makeWord (4, 1, 2, 3)) << "translucent pixels stay straight";
    EXPECT_EQ (buffer->getPixel (1, 0), makeWord (255, 250, 251, 252));

    const auto back = buffer->createPlatformImage();
    EXPECT_EQ (back.rgba, platform.rgba);
    EXPECT_EQ (back.resolutionX, 72.0);

    EXPECT_EQ (SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (PlatformImage())) ->width, 0);
}

TEST (ImageBridges, LargeImagesGiveTheSameBytesOnAllCoresAsOnOne)
{
    SxRef<SxImageRgbaBytes> source (new SxImageRgbaBytes (701, 301));
    juce::Random random (3);
    for (size_t i = 0; i < (size_t) 701 * 301 * 4; ++i)
        source->pixels[i] = (uint8_t) random.nextInt (256);

    const auto runAll = [&]
    {
        std::vector<std::vector<uint8_t>> results;
        const auto bytesOf = [] (const juce::Image& image)
        {
            const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
            return std::vector<uint8_t> (bits.data, bits.data + (size_t) bits.lineStride * (size_t) bits.height);
        };
        results.push_back (bytesOf (source->toImage()));

        juce::Image target (juce::Image::ARGB, 701, 301, true, juce::SoftwareImageType());
        RectBounds area { 3.0f, 5.0f, 650.0f, 290.0f };
        source->copyToImage (target, area, false);
        results.push_back (bytesOf (target));

        SxRef<SxImageRgbaBytes> back (new SxImageRgbaBytes (target));
        results.emplace_back (back->pixels, back->pixels + (size_t) 701 * 301 * 4);

        SxRef<SxImageRgbaBytes> wrapped (source->clone());
        juce::Image view;
        wrapped->wrapAsImage (view);
        results.push_back (bytesOf (view));

        // The crossings of an opened photograph and of a written file.
        const auto platform = source->createPlatformImage();
        results.emplace_back (platform.rgba.begin(), platform.rgba.end());
        SxRef<SxImageRgbaBytes> imported (new SxImageRgbaBytes (platform));
        results.emplace_back (imported->pixels, imported->pixels + (size_t) 701 * 301 * 4);
        results.push_back (bytesOf (ImageCodecs::imageFromPlatformImage (platform)));
        const auto exported = ImageCodecs::platformImageFromImage (target);
        results.emplace_back (exported.rgba.begin(), exported.rgba.end());
        return results;
    };

    ParallelRows::setThreadLimit (1);
    const auto single = runAll();
    ParallelRows::setThreadLimit (0);
    const auto parallel = runAll();
    for (size_t i = 0; i < single.size(); ++i)
        EXPECT_TRUE (single[i] == parallel[i]) << "operation " << i;
}

TEST (ImageBridges, PlatformImagesOfFrameworkImagesMatchTheFrameworksOwnColours)
{
    // Every alpha with every colour byte at or below it, then a plain RGB image.
    juce::Image argb (juce::Image::ARGB, 256, 64, false, juce::SoftwareImageType());
    juce::Image rgb (juce::Image::RGB, 256, 64, false, juce::SoftwareImageType());
    {
        juce::Image::BitmapData a (argb, juce::Image::BitmapData::writeOnly);
        juce::Image::BitmapData c (rgb, juce::Image::BitmapData::writeOnly);
        juce::Random random (11);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x)
            {
                uint8_t* p = a.getPixelPointer (x, y);
                p[3] = (uint8_t) x;
                for (int k = 0; k < 3; ++k)
                    p[k] = (uint8_t) random.nextInt (x + 1);
                uint8_t* q = c.getPixelPointer (x, y);
                for (int k = 0; k < 3; ++k)
                    q[k] = (uint8_t) random.nextInt (256);
            }
    }

    for (const auto& image : { argb, rgb })
    {
        const auto platform = ImageCodecs::platformImageFromImage (image);
        const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
        int mismatches = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto colour = bits.getPixelColour (x, y);
                const uint8_t* p = platform.getRow (y) + x * 4;
                mismatches += p[0] != colour.getRed() || p[1] != colour.getGreen() || p[2] != colour.getBlue()
                            || p[3] != colour.getAlpha();
            }
        EXPECT_EQ (mismatches, 0) << (image.getFormat() == juce::Image::ARGB ? "ARGB" : "RGB");
    }
}
