#include "Geometry.h"
#include "PixelMath.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace
{
    using Pixel = std::array<uint8_t, 4>; // a, r, g, b

    Pixel pixelAt (const SxImageRgbaBytes& img, int x, int y)
    {
        const uint8_t* p = img.getRowPointer (y) + x * 4;
        return { p[0], p[1], p[2], p[3] };
    }

    void setPixelBytes (SxImageRgbaBytes& img, int x, int y, Pixel px)
    {
        uint8_t* p = img.getRowPointer (y) + x * 4;
        for (int i = 0; i < 4; ++i)
            p[i] = px[(size_t) i];
    }

    SxRef<SxImageRgbaBytes> solid (int w, int h, Pixel px)
    {
        SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                setPixelBytes (*img, x, y, px);
        return img;
    }

    std::vector<uint8_t> bytesOf (const SxImageRgbaBytes& img)
    {
        return { img.pixels, img.pixels + (size_t) img.width * (size_t) img.height * 4 };
    }

    // Counts live instances so tests can see exactly when release deletes.
    struct Tracked : SxSmartPtr
    {
        explicit Tracked (std::atomic<int>& l) : live (l) { ++live; }
        ~Tracked() override { --live; }
        bool writeToPropertySet (SxPropertySet&, const juce::String&) const override { return false; }
        std::atomic<int>& live;
    };
}

TEST (SxImageRgbaBytes, NewImageIsZeroedAndReadsOutsideAreZero)
{
    SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (3, 2));
    ASSERT_NE (img->pixels, nullptr);
    EXPECT_TRUE (img->ownsPixels);
    for (auto b : bytesOf (*img))
        EXPECT_EQ (b, 0);

    for (auto [x, y] : std::vector<std::pair<int, int>> { { 0, 0 }, { -1, 0 }, { 3, 0 }, { 0, 2 }, { 0, -1 } })
        EXPECT_EQ (img->getPixel (x, y), 0u) << x << "," << y;

    uint32_t out = 0xdeadbeef;
    img->getPixelInto (out, 3, 0);
    EXPECT_EQ (out, 0xdeadbeefu);
    img->getPixelInto (out, 2, 1);
    EXPECT_EQ (out, 0u);

    EXPECT_EQ (img->getBounds(), juce::Rectangle<float> (0, 0, 3, 2));
}

TEST (SxImageRgbaBytes, EmptyImageOperationsDoNothing)
{
    SxRef<SxImageRgbaBytes> empty (new SxImageRgbaBytes());
    EXPECT_EQ (empty->pixels, nullptr);
    EXPECT_FALSE (empty->ownsPixels);
    empty->fill (0xffffffff);
    empty->clear();
    empty->flattenOntoColour (0x112233ff);
    empty->convertToRgbaOrder();
    RectBounds all;
    empty->fillRect (all, 0xffffffff);

    SxRef<SxImageRgbaBytes> zero (new SxImageRgbaBytes (0, 0));
    zero->fill (0xffffffff);
    zero->compositeFrom (*zero);
    zero->mixWith (*zero, nullptr, 0.5f);
    SxRef<SxImageRgbaBytes> copy (zero->clone());
    EXPECT_EQ (copy->width, 0);
}

TEST (SxImageRgbaBytes, WordLayoutIsAlphaRedGreenBlueInMemory)
{
    SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (2, 1));
    img->fill (0x336699FF);
    EXPECT_EQ (pixelAt (*img, 1, 0), (Pixel { 0xFF, 0x99, 0x66, 0x33 }));
    EXPECT_EQ (img->getPixel (0, 0), 0x336699FFu);
    EXPECT_EQ (PixelMath::makeWord (255, 52, 52, 52), 0x343434FFu);

    img->setPixel (0x01020304, 1, 0);
    EXPECT_EQ (pixelAt (*img, 1, 0), (Pixel { 4, 3, 2, 1 }));
}

TEST (SxImageRgbaBytes, SizesAreCheckedBeforeAllocating)
{
    for (auto [w, h] : std::vector<std::pair<int, int>> { { -1, 4 }, { 4, -1 }, { 65536, 65536 }, { 0x7fffffff, 2 }, { 46341, 46341 } })
        EXPECT_THROW (SxImageRgbaBytes (w, h), std::bad_alloc) << w << "x" << h;
    EXPECT_THROW (SxImageAlphaByte (-3, 3), std::bad_alloc);
    EXPECT_THROW (SxImageAlphaByte (100000, 100000), std::bad_alloc);
}

TEST (SxImageRgbaBytes, CopiesAreIndependent)
{
    auto a = solid (2, 2, { 255, 1, 2, 3 });
    SxRef<SxImageRgbaBytes> b (a->clone());
    EXPECT_EQ (bytesOf (*a), bytesOf (*b));
    a->fill (0);
    EXPECT_EQ (pixelAt (*b, 1, 1), (Pixel { 255, 1, 2, 3 }));
}

TEST (SxImageRgbaBytes, CopyPixelsFromWritesOnlyTheSharedArea)
{
    auto big = solid (4, 3, { 9, 9, 9, 9 });
    auto small = solid (2, 2, { 1, 2, 3, 4 });
    big->copyPixelsFrom (*small);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ (pixelAt (*big, x, y), (x < 2 && y < 2 ? Pixel { 1, 2, 3, 4 } : Pixel { 9, 9, 9, 9 }));

    // The other way round reads only what the smaller destination can hold.
    small->copyPixelsFrom (*big);
    EXPECT_EQ (pixelAt (*small, 1, 1), (Pixel { 1, 2, 3, 4 }));
}

TEST (SxImageRgbaBytes, ByteOrderConversionsRoundTrip)
{
    SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (3, 3));
    for (int i = 0; i < 36; ++i)
        img->pixels[i] = (uint8_t) (i * 7 + 1);
    const auto before = bytesOf (*img);

    img->convertToRgbaOrder();
    EXPECT_EQ (pixelAt (*img, 0, 0), (Pixel { before[1], before[2], before[3], before[0] }));
    img->convertToArgbOrder();
    EXPECT_EQ (bytesOf (*img), before);
}

TEST (SxImageRgbaBytes, GrayConversions)
{
    auto colour = solid (1, 1, { 9, 10, 20, 31 });
    SxRef<SxImageAlphaByte> gray (new SxImageAlphaByte (5, 5));
    gray->setFromRgba (*colour);
    EXPECT_EQ (gray->width, 1);
    EXPECT_EQ (gray->height, 1);
    EXPECT_EQ (gray->pixels[0], 20);

    SxRef<SxImageAlphaByte> small (new SxImageAlphaByte (2, 2));
    std::fill (small->pixels, small->pixels + 4, (uint8_t) 77);
    auto target = solid (3, 3, { 1, 2, 3, 4 });
    target->setFromGray (*small);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ (pixelAt (*target, x, y), (x < 2 && y < 2 ? Pixel { 255, 77, 77, 77 } : Pixel { 1, 2, 3, 4 }));
}

TEST (SxImageRgbaBytes, FillRectClipsAndReportsTheClippedRectangle)
{
    struct Case { RectBounds rect; RectBounds expectedRect; int expectedFilled; };
    const std::vector<Case> cases {
        { { -5, -5, 1, 1 }, { 0, 0, 1, 1 }, 4 },
        { RectBounds::unset(), { 0, 0, 3, 3 }, 16 },
        { { 0, 0, 0, 0 }, { 0, 0, 3, 3 }, 16 },           // all zero also counts as unset
        { { 2.7f, 0, 1.2f, 3 }, { 2.7f, 0, 1.2f, 3 }, 0 }, // first column beyond the right edge
        { { 10, 10, 20, 20 }, { 3, 3, 3, 3 }, 1 },        // wholly outside collapses onto the corner
        { { 1.5f, 1.5f, 2.5f, 2.5f }, { 1.5f, 1.5f, 2.5f, 2.5f }, 4 },
    };
    for (const auto& c : cases)
    {
        SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (4, 4));
        RectBounds r = c.rect;
        img->fillRect (r, 0xffffffff);
        EXPECT_EQ (r, c.expectedRect);
        int filled = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                filled += img->getPixel (x, y) != 0;
        EXPECT_EQ (filled, c.expectedFilled) << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }

    SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (4, 4));
    RectBounds r { -5, -5, 1, 1 };
    img->fillRect (r, 0xffffffff);
    EXPECT_NE (img->getPixel (1, 1), 0u);
    EXPECT_EQ (img->getPixel (2, 0), 0u);
}

TEST (SxImageRgbaBytes, CompositeFromValues)
{
    struct Case { Pixel src, dst, expected; };
    const std::vector<Case> cases {
        { { 128, 200, 0, 0 }, { 255, 0, 0, 0 }, { 255, 100, 0, 0 } },     // 25600 / 255 truncated
        { { 0, 10, 20, 30 }, { 77, 1, 2, 3 }, { 77, 1, 2, 3 } },           // transparent source: untouched
        { { 255, 10, 20, 30 }, { 77, 1, 2, 3 }, { 255, 10, 20, 30 } },     // opaque source replaces
        { { 100, 255, 255, 255 }, { 0, 0, 0, 0 }, { 100, 255, 255, 255 } },// over nothing keeps the colour
        { { 51, 200, 100, 50 }, { 204, 0, 100, 200 }, { 214, 47, 100, 164 } },
    };
    for (const auto& c : cases)
    {
        auto src = solid (1, 1, c.src);
        auto dst = solid (1, 1, c.dst);
        dst->compositeFrom (*src);
        EXPECT_EQ (pixelAt (*dst, 0, 0), c.expected);
    }
}

TEST (SxImageRgbaBytes, CompositeWithinRectangleOnly)
{
    auto src = solid (4, 4, { 255, 1, 1, 1 });
    auto dst = solid (4, 4, { 255, 9, 9, 9 });
    const RectBounds r { 1, 1, 2, 2 };
    dst->compositeFrom (*src, &r);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ (pixelAt (*dst, x, y)[1], (x >= 1 && x <= 2 && y >= 1 && y <= 2) ? 1 : 9);
}

TEST (SxImageRgbaBytes, CompositeThroughMaskValues)
{
    struct Case { uint8_t mask; Pixel src, dst, expected; };
    const std::vector<Case> cases {
        { 1, { 254, 200, 100, 50 }, { 255, 0, 0, 0 }, { 255, 0, 0, 0 } },     // product 254 < 255: unchanged
        { 255, { 255, 200, 100, 50 }, { 10, 0, 0, 0 }, { 255, 200, 100, 50 } },
        { 255, { 128, 200, 100, 50 }, { 0, 0, 0, 0 }, { 128, 200, 100, 50 } },
        { 200, { 255, 100, 100, 100 }, { 255, 0, 0, 0 }, { 255, 78, 78, 78 } },
    };
    for (const auto& c : cases)
    {
        auto src = solid (1, 1, c.src);
        auto dst = solid (1, 1, c.dst);
        SxRef<SxImageAlphaByte> mask (new SxImageAlphaByte (1, 1));
        mask->pixels[0] = c.mask;
        dst->compositeThroughMask (*src, mask.get());
        EXPECT_EQ (pixelAt (*dst, 0, 0), c.expected) << (int) c.mask;
    }

    // No mask means full coverage.
    auto src = solid (1, 1, { 255, 200, 100, 50 });
    auto dst = solid (1, 1, { 255, 0, 0, 0 });
    dst->compositeThroughMask (*src, nullptr);
    EXPECT_EQ (pixelAt (*dst, 0, 0), (Pixel { 255, 200, 100, 50 }));
}

TEST (SxImageRgbaBytes, FillColourThroughMask)
{
    struct Case { uint32_t colour; uint8_t mask; Pixel dst, expected; };
    const std::vector<Case> cases {
        { PixelMath::makeWord (255, 10, 20, 30), 255, { 0, 0, 0, 0 }, { 255, 10, 20, 30 } },
        { PixelMath::makeWord (255, 10, 20, 30), 0, { 5, 6, 7, 8 }, { 5, 6, 7, 8 } },
        { PixelMath::makeWord (128, 200, 0, 0), 255, { 255, 0, 0, 0 }, { 255, 100, 0, 0 } },
        { PixelMath::makeWord (255, 200, 0, 0), 128, { 255, 0, 0, 0 }, { 255, 100, 0, 0 } },
    };
    for (const auto& c : cases)
    {
        auto dst = solid (1, 1, c.dst);
        SxRef<SxImageAlphaByte> mask (new SxImageAlphaByte (1, 1));
        mask->pixels[0] = c.mask;
        dst->fillColourThroughMask (c.colour, mask.get());
        EXPECT_EQ (pixelAt (*dst, 0, 0), c.expected);
    }
}

TEST (SxImageRgbaBytes, FlattenOntoColour)
{
    const uint32_t colour = PixelMath::makeWord (200, 10, 20, 30);
    SxRef<SxImageRgbaBytes> img (new SxImageRgbaBytes (3, 1));
    setPixelBytes (*img, 1, 0, { 255, 1, 2, 3 });
    setPixelBytes (*img, 2, 0, { 128, 200, 0, 0 });
    img->flattenOntoColour (colour);
    EXPECT_EQ (img->getPixel (0, 0), colour); // transparent: the colour word itself, its alpha included
    EXPECT_EQ (pixelAt (*img, 1, 0), (Pixel { 255, 1, 2, 3 }));
    // k = round (200 * 127 / 255) = 100; f = 1 / 228.
    EXPECT_EQ (pixelAt (*img, 2, 0), (Pixel { 228, (uint8_t) (int) ((200.0f * 128 + 10 * 100) * (float) (1.0 / 228)),
                                              (uint8_t) (int) ((20.0f * 100) * (float) (1.0 / 228)),
                                              (uint8_t) (int) ((30.0f * 100) * (float) (1.0 / 228)) }));
}

TEST (SxImageRgbaBytes, MultiplyAlphaAndMix)
{
    auto img = solid (2, 2, { 200, 10, 20, 30 });
    auto other = solid (2, 2, { 128, 0, 0, 0 });
    img->multiplyAlpha (*other);
    EXPECT_EQ (pixelAt (*img, 1, 1), (Pixel { (uint8_t) (int) (200.0f * (128.0f / 255.0f)), 10, 20, 30 }));

    auto a = solid (2, 2, { 10, 20, 30, 40 });
    auto b = solid (2, 2, { 250, 240, 230, 220 });
    const auto original = bytesOf (*a);
    a->mixWith (*b, nullptr, 0.0f);
    EXPECT_EQ (bytesOf (*a), original);
    a->mixWith (*b, nullptr, 1.0f);
    EXPECT_EQ (bytesOf (*a), bytesOf (*b));

    auto c = solid (2, 2, { 0, 0, 0, 0 });
    c->mixWith (*b, nullptr, 0.5f);
    EXPECT_EQ (pixelAt (*c, 0, 0), (Pixel { 125, 120, 115, 110 }));
}

// Mismatched sizes and rectangles past the edges must stay inside every buffer
// (this test is what the sanitizer build watches).
TEST (SxImageRgbaBytes, MismatchedSizesStayInsideEveryBuffer)
{
    auto big = solid (8, 6, { 255, 50, 50, 50 });
    auto small = solid (3, 2, { 255, 1, 2, 3 });
    SxRef<SxImageAlphaByte> tinyMask (new SxImageAlphaByte (2, 1));
    std::fill (tinyMask->pixels, tinyMask->pixels + 2, (uint8_t) 255);
    const RectBounds past { -4, -4, 100, 100 };

    big->compositeFrom (*small);
    big->compositeFrom (*small, &past);
    big->compositeThroughMask (*small, tinyMask.get(), &past);
    big->fillColourThroughMask (0xffffffff, tinyMask.get(), &past);
    big->multiplyAlpha (*small, &past);
    big->mixWith (*small, &past, 0.5f);
    small->compositeFrom (*big, &past);
    small->compositeThroughMask (*big, nullptr, &past);
    small->multiplyAlpha (*big);
    small->mixWith (*big, nullptr, 0.5f);

    // The area the source covers was composited; the rest is as it was.
    EXPECT_EQ (pixelAt (*big, 2, 1)[1], 1);
    EXPECT_EQ (pixelAt (*big, 5, 4), (Pixel { 255, 50, 50, 50 }));
}

TEST (SxSmartPtr, ReleaseDeletesOnTheLastHolder)
{
    std::atomic<int> live { 0 };
    auto* object = new Tracked (live);
    object->retain();
    object->release();
    EXPECT_EQ (live, 1);
    object->release();
    EXPECT_EQ (live, 0);
}

TEST (SxSmartPtr, ConcurrentRetainReleaseKeepsTheCount)
{
    std::atomic<int> live { 0 };
    auto* object = new Tracked (live);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back ([object] {
            for (int i = 0; i < 100000; ++i)
            {
                object->retain();
                object->release();
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ (object->getReferenceCount(), 1);
    EXPECT_EQ (live, 1);
    object->release();
    EXPECT_EQ (live, 0);
}

TEST (SxImageAlphaByte, FillRectTruncatesAndClips)
{
    struct Case { RectBounds rect; int expectedFilled; };
    const std::vector<Case> cases {
        { { 1, 1, 2, 2 }, 4 },
        { { 1.9f, 0.5f, 2.9f, 0.9f }, 2 },  // truncated: columns 1..2, row 0
        { { 3, 3, 1, 1 }, 0 },              // inverted
        { { -2, -2, 10, 10 }, 16 },         // clipped to the image
    };
    for (const auto& c : cases)
    {
        SxRef<SxImageAlphaByte> img (new SxImageAlphaByte (4, 4));
        img->fillRect (c.rect, 9);
        int filled = 0;
        for (int i = 0; i < 16; ++i)
            filled += img->pixels[i] == 9;
        EXPECT_EQ (filled, c.expectedFilled);
    }

    SxRef<SxImageAlphaByte> img (new SxImageAlphaByte (3, 2));
    img->pixels[4] = 42;
    SxRef<SxImageAlphaByte> copy (new SxImageAlphaByte (*img));
    EXPECT_EQ (copy->width, 3);
    EXPECT_EQ (copy->pixels[4], 42);
}
