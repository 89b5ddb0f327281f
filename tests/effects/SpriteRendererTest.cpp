#include <gtest/gtest.h>

#include "BrushTiling.h"
#include "GPUImageOpenGLESContext.h"
#include "OpenGLHeaders.h"
#include "Sprite.h"
#include "SpriteRendererMultiplyBrush.h"
#include "SpriteSheet.h"
#include "SpriteSheetList.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace
{
    using Bytes = std::array<uint8_t, 4>;

    /** A sheet over an image given in R, G, B, A bytes, one frame over all of it. */
    struct TestSheet
    {
        TestSheet (int width, int height, std::function<Bytes (int, int)> texel)
        {
            auto* image = new SxImageRgbaBytes (width, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const auto rgba = texel (x, y);
                    std::copy (rgba.begin(), rgba.end(), image->getRowPointer (y) + x * 4);
                }

            sheet.setImage (image, false);
            sheet.addFrame ({ "all", 0, 0, (float) width - 1, (float) height - 1 }, 0);
            list.push_back (&sheet);
        }

        /** One colour everywhere. */
        static std::unique_ptr<TestSheet> uniform (Bytes rgba)
        {
            return std::make_unique<TestSheet> (4, 4, [rgba] (int, int) { return rgba; });
        }

        /** A soft disc whose colour changes across it; fully transparent along the frame's
            border, so where exactly a quad's edge falls does not matter. Colour never exceeds
            alpha, as in the effects' brushes, so a dab only darkens: where a texel's colour
            exceeds its alpha the multiply brightens, and repeated dabs then amplify the
            GPU's rounding far beyond any tolerance. */
        static std::unique_ptr<TestSheet> softDisc()
        {
            return std::make_unique<TestSheet> (64, 64, [] (int x, int y)
            {
                const float d = std::hypot (x + 0.5f - 32.0f, y + 0.5f - 32.0f);
                const float t = juce::jlimit (0.0f, 1.0f, (28.0f - d) / 14.0f);
                const float alpha = t * t;
                return Bytes { (uint8_t) std::lround (alpha * x * 4.0f), (uint8_t) std::lround (alpha * y * 4.0f),
                               (uint8_t) std::lround (alpha * 128.0f), (uint8_t) std::lround (alpha * 255.0f) };
            });
        }

        SpriteSheet sheet;
        SpriteSheetList list;
    };

    /** Sprites that own themselves, handed to the renderer as pointers. */
    struct SpriteSet
    {
        Sprite& add (const SpriteSheet& sheet, float x, float y, float w, float h, float rotation = 0, float opacity = 1)
        {
            owned.push_back (std::make_unique<Sprite>());
            auto& s = *owned.back();
            s.setFrame (sheet, 0);
            s.setPosition (x, y);
            s.setSize (w, h);
            s.setRotation (rotation);
            s.setOpacity (opacity);
            pointers.push_back (&s);
            return s;
        }

        void addRandom (const SpriteSheet& sheet, int count, int width, int height, int seed)
        {
            juce::Random random (seed);
            for (int i = 0; i < count; ++i)
            {
                const float w = 10.0f + random.nextFloat() * 50.0f, h = 10.0f + random.nextFloat() * 50.0f;
                add (sheet, random.nextFloat() * width - w * 0.5f, random.nextFloat() * height - h * 0.5f, w, h,
                     random.nextFloat() * 6.2831853f, 0.3f + random.nextFloat() * 0.7f);
            }
        }

        std::vector<std::unique_ptr<Sprite>> owned;
        std::vector<Sprite*> pointers;
    };

    /** An opaque image with colour changes, no channel below 60 (bytes A, R, G, B). */
    SxImageRgbaBytes* makeCanvas (int width, int height)
    {
        auto* image = new SxImageRgbaBytes (width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                uint8_t* p = image->getRowPointer (y) + x * 4;
                p[0] = 255;
                p[1] = (uint8_t) (255 - (x * 97 / std::max (1, width - 1)));
                p[2] = (uint8_t) (200 + (y * 55 / std::max (1, height - 1)));
                p[3] = (uint8_t) (60 + (x * 7 + y * 3) % 196);
            }
        return image;
    }

    SxImageRgbaBytes* makeFilled (int width, int height, Bytes argb)
    {
        auto* image = new SxImageRgbaBytes (width, height);
        for (int i = 0; i < width * height; ++i)
            std::copy (argb.begin(), argb.end(), image->pixels + i * 4);
        return image;
    }

    /** The effects' call: the image is its own canvas, grey scale, one releasing pass. */
    bool renderMultiply (SxImageRgbaBytes& image, const SpriteSheetList& sheets, const std::vector<Sprite*>& sprites,
                         int maxTextureSize = 0, bool erase = false)
    {
        SpriteRendererMultiplyBrush renderer (sheets);
        renderer.setMaxTextureSize (maxTextureSize);
        return renderer.render (image, sprites, true, &image, true, true, erase);
    }

    /** Number of bytes differing by more than the tolerance; the first few are printed. */
    int countDifferences (const SxImageRgbaBytes& actual, const SxImageRgbaBytes& expected, int tolerance)
    {
        int wrong = 0;
        for (int i = 0; i < actual.width * actual.height * 4; ++i)
            if (std::abs ((int) actual.pixels[i] - (int) expected.pixels[i]) > tolerance)
                if (wrong++ < 5)
                    ADD_FAILURE() << "pixel (" << (i / 4) % actual.width << ", " << (i / 4) / actual.width
                                  << ") byte " << i % 4 << ": " << (int) actual.pixels[i] << " vs "
                                  << (int) expected.pixels[i];
        return wrong;
    }

    /** CPU model of a multiply pass on an opaque canvas: bilinear, edge-clamped sampling of
        the sheet, rotation about the quad centre, 8-bit framebuffer after every dab. */
    SxImageRgbaBytes* referenceMultiply (const SxImageRgbaBytes& canvas, const SpriteSheet& sheet,
                                         const std::vector<Sprite*>& sprites)
    {
        const auto& texture = *sheet.getImage();
        auto texel = [&] (int x, int y, int c)
        {
            x = juce::jlimit (0, texture.width - 1, x);
            y = juce::jlimit (0, texture.height - 1, y);
            return texture.getRowPointer (y)[x * 4 + c] / 255.0;
        };

        auto* result = canvas.clone();

        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
            {
                uint8_t* p = result->getRowPointer (y) + x * 4;
                double d[3] = { p[1] / 255.0, p[2] / 255.0, p[3] / 255.0 };

                for (const auto* s : sprites)
                {
                    const double pivotX = s->size.x * 0.5, pivotY = s->size.y * 0.5;
                    const double dx = x + 0.5 - s->position.x - pivotX, dy = y + 0.5 - s->position.y - pivotY;
                    const double c = std::cos (s->rotation), sn = std::sin (s->rotation);
                    const double lx = dx * c + dy * sn + pivotX, ly = -dx * sn + dy * c + pivotY;

                    if (lx < 0 || ly < 0 || lx >= s->size.x || ly >= s->size.y)
                        continue;

                    const auto& tc = s->texCoords;
                    const double u = tc[0] + lx / s->size.x * (tc[2] - tc[0]);
                    const double v = tc[1] + ly / s->size.y * (tc[5] - tc[1]);
                    const double sx = u * texture.width - 0.5, sy = v * texture.height - 0.5;
                    const int x0 = (int) std::floor (sx), y0 = (int) std::floor (sy);
                    const double fx = sx - x0, fy = sy - y0;

                    double rgba[4];
                    for (int ch = 0; ch < 4; ++ch)
                        rgba[ch] = (texel (x0, y0, ch) * (1 - fx) + texel (x0 + 1, y0, ch) * fx) * (1 - fy)
                                 + (texel (x0, y0 + 1, ch) * (1 - fx) + texel (x0 + 1, y0 + 1, ch) * fx) * fy;

                    for (auto& value : rgba)
                        value = std::round (value * 255.0) / 255.0;   // the fragment reaches blending as bytes
                    const double alpha = std::round (rgba[3] * s->opacity * 255.0) / 255.0;
                    // Blending in bytes, each product rounded on its own.
                    for (int ch = 0; ch < 3; ++ch)
                    {
                        const double dst = d[ch] * 255.0;
                        const double sum = std::round (rgba[ch] * dst) + std::round (dst * (1 - alpha));
                        d[ch] = std::min (255.0, sum) / 255.0;
                    }
                }

                for (int ch = 0; ch < 3; ++ch)
                    p[ch + 1] = (uint8_t) std::lround (d[ch] * 255.0);
            }

        return result;
    }
}

//==============================================================================
TEST (SpriteRenderer, NoSpritesLeaveAnOpaqueCanvasExactly)
{
    auto sheet = TestSheet::softDisc();
    SxRef<SxImageRgbaBytes> image (makeCanvas (61, 43));
    SxRef<SxImageRgbaBytes> original (image->clone());

    ASSERT_TRUE (renderMultiply (*image, sheet->list, {}));
    EXPECT_EQ (countDifferences (*image, *original, 0), 0);
}

TEST (SpriteRenderer, TransparentCanvasPixelsComeBackAsZeroBytes)
{
    // Alpha 0 with colour bytes set: un-premultiplying must not divide by zero.
    auto sheet = TestSheet::softDisc();
    SxRef<SxImageRgbaBytes> image (makeFilled (9, 5, { 0, 200, 100, 50 }));
    image->getRowPointer (2)[4 * 4] = 255;   // one opaque pixel stays as it is

    ASSERT_TRUE (renderMultiply (*image, sheet->list, {}));

    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
        {
            const uint8_t* p = image->getRowPointer (y) + x * 4;
            const Bytes expected = (x == 4 && y == 2) ? Bytes { 255, 200, 100, 50 } : Bytes { 0, 0, 0, 0 };
            EXPECT_EQ ((Bytes { p[0], p[1], p[2], p[3] }), expected) << x << ", " << y;
        }
}

TEST (SpriteRenderer, MultiplyOnWhiteGivesColourPlusOneMinusCoverage)
{
    struct Case { int c, a; float opacity; };
    const Case cases[] = {
        { 0, 255, 1.0f }, { 0, 255, 0.5f }, { 100, 255, 1.0f }, { 100, 128, 1.0f },
        { 200, 200, 0.25f }, { 255, 255, 1.0f }, { 40, 0, 1.0f }, { 0, 90, 0.7f },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "c " << c.c << " a " << c.a << " opacity " << c.opacity);
        auto sheet = TestSheet::uniform ({ (uint8_t) c.c, (uint8_t) (c.c / 2), 10, (uint8_t) c.a });
        SxRef<SxImageRgbaBytes> image (makeFilled (32, 24, { 255, 255, 255, 255 }));

        SpriteSet sprites;
        sprites.add (sheet->sheet, 8, 4, 16, 16, 0, c.opacity);
        ASSERT_TRUE (renderMultiply (*image, sheet->list, sprites.pointers));

        const double coverage = c.a / 255.0 * c.opacity;
        auto expected = [&] (int texel) { return std::min (255.0, texel + 255.0 * (1.0 - coverage)); };

        const uint8_t* inside = image->getRowPointer (12) + 16 * 4;
        EXPECT_EQ (inside[0], 255);
        EXPECT_NEAR (inside[1], expected (c.c), 1);
        EXPECT_NEAR (inside[2], expected (c.c / 2), 1);
        EXPECT_NEAR (inside[3], expected (10), 1);

        const uint8_t* outside = image->getRowPointer (12) + 4 * 4;
        EXPECT_EQ ((Bytes { outside[0], outside[1], outside[2], outside[3] }), (Bytes { 255, 255, 255, 255 }));
    }
}

TEST (SpriteRenderer, OverlappingDabsMultiply)
{
    auto sheet = TestSheet::uniform ({ 200, 100, 50, 255 });
    SxRef<SxImageRgbaBytes> image (makeFilled (40, 20, { 255, 255, 255, 255 }));

    SpriteSet sprites;
    sprites.add (sheet->sheet, 0, 0, 25, 20);
    sprites.add (sheet->sheet, 15, 0, 25, 20);
    ASSERT_TRUE (renderMultiply (*image, sheet->list, sprites.pointers));

    const uint8_t* once = image->getRowPointer (10) + 5 * 4;
    const uint8_t* twice = image->getRowPointer (10) + 20 * 4;
    const int texel[3] = { 200, 100, 50 };

    for (int ch = 0; ch < 3; ++ch)
    {
        EXPECT_NEAR (once[ch + 1], texel[ch], 1);
        EXPECT_NEAR (twice[ch + 1], texel[ch] * texel[ch] / 255.0, 2);
    }
}

TEST (SpriteRenderer, OneColourCanvasGivesWhatAnUploadedCanvasGives)
{
    // A one-colour opaque canvas is cleared instead of uploaded; one odd pixel in a corner
    // forces the upload, and everything else must come out the same.
    auto sheet = TestSheet::softDisc();
    for (const Bytes colour : { Bytes { 255, 255, 255, 255 }, Bytes { 255, 201, 97, 3 } })
    {
        SxRef<SxImageRgbaBytes> cleared (makeFilled (64, 48, colour));
        SxRef<SxImageRgbaBytes> uploaded (makeFilled (64, 48, colour));
        uploaded->getRowPointer (47)[63 * 4 + 1] ^= 1;

        SpriteSet sprites;
        sprites.add (sheet->sheet, 3, 4, 30, 30);
        sprites.add (sheet->sheet, 20, 10, 30, 30);
        ASSERT_TRUE (renderMultiply (*cleared, sheet->list, sprites.pointers));
        ASSERT_TRUE (renderMultiply (*uploaded, sheet->list, sprites.pointers));

        uploaded->getRowPointer (47)[63 * 4 + 1] ^= 1;
        EXPECT_EQ (countDifferences (*cleared, *uploaded, 0), 0) << (int) colour[1];
    }
}

TEST (SpriteRenderer, MatchesTheCpuReferenceWithRotationAndBilinearSampling)
{
    constexpr int width = 203, height = 151;
    auto sheet = TestSheet::softDisc();
    SxRef<SxImageRgbaBytes> image (makeCanvas (width, height));

    SpriteSet sprites;
    sprites.addRandom (sheet->sheet, 30, width, height, 7);   // dabs overlap a few deep
    SxRef<SxImageRgbaBytes> expected (referenceMultiply (*image, sheet->sheet, sprites.pointers));

    ASSERT_TRUE (renderMultiply (*image, sheet->list, sprites.pointers));

    int close = 0;
    for (int i = 0; i < width * height; ++i)
    {
        bool within = true;
        for (int ch = 0; ch < 4; ++ch)
            within = within && std::abs ((int) image->pixels[i * 4 + ch] - (int) expected->pixels[i * 4 + ch]) <= 2;
        close += within ? 1 : 0;
    }

    EXPECT_GE (close, (int) std::ceil (width * height * 0.999)) << close << " of " << width * height;
}

TEST (SpriteRenderer, EraseRemovesCoverage)
{
    auto sheet = TestSheet::uniform ({ 0, 0, 0, 192 });
    SxRef<SxImageRgbaBytes> image (makeFilled (16, 16, { 255, 40, 120, 200 }));

    SpriteSet sprites;
    sprites.add (sheet->sheet, 0, 0, 16, 16, 0, 1.0f);
    ASSERT_TRUE (renderMultiply (*image, sheet->list, sprites.pointers, 0, true));

    const uint8_t* p = image->getRowPointer (8) + 8 * 4;
    EXPECT_NEAR (p[0], 255 - 192, 1);
    EXPECT_NEAR (p[1], 40, 2);
    EXPECT_NEAR (p[2], 120, 2);
    EXPECT_NEAR (p[3], 200, 2);
}

TEST (SpriteRenderer, CanvasSmallerThanTargetStartsTransparentBeyondIt)
{
    auto sheet = TestSheet::softDisc();
    SxRef<SxImageRgbaBytes> canvas (makeFilled (10, 6, { 255, 1, 2, 3 }));
    SxRef<SxImageRgbaBytes> target (makeFilled (20, 12, { 255, 9, 9, 9 }));

    SpriteRendererMultiplyBrush renderer (sheet->list);
    ASSERT_TRUE (renderer.render (*target, {}, true, canvas.get(), true, true, false));

    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
        {
            const uint8_t* p = target->getRowPointer (y) + x * 4;
            const Bytes expected = (x < 10 && y < 6) ? Bytes { 255, 1, 2, 3 } : Bytes { 0, 0, 0, 0 };
            ASSERT_EQ ((Bytes { p[0], p[1], p[2], p[3] }), expected) << x << ", " << y;
        }
}

//==============================================================================
TEST (SpriteRenderer, DirtyRectCoversTheTurnedSprites)
{
    auto sheet = TestSheet::softDisc();
    SpriteSet none;
    EXPECT_EQ (SpriteRenderer::dirtyRectOf (none.pointers, 50, 40), (RectBounds { 0, 0, 49, 39 }));

    SpriteSet sprites;
    sprites.add (sheet->sheet, 10, 20, 100, 50, 1.5707963f);
    // Centre (60.5, 45.5), 101 x 51 turned upright: x 35 .. 86, y -5 .. 96, then clipped. The
    // float quarter turn is a hair past a right angle, so the left edge truncates to 34.
    EXPECT_EQ (SpriteRenderer::dirtyRectOf (sprites.pointers, 200, 200), (RectBounds { 34, 0, 85, 95 }));

    sprites.add (sheet->sheet, 150, 150, 10, 10);
    EXPECT_EQ (SpriteRenderer::dirtyRectOf (sprites.pointers, 158, 200), (RectBounds { 34, 0, 157, 160 }));
}

TEST (SpriteRenderer, PassSequenceEqualsOneReleasingPass)
{
    constexpr int width = 64, height = 48;
    auto sheet = TestSheet::softDisc();
    SpriteSet first, second, both;
    first.add (sheet->sheet, 4, 4, 30, 30, 0.3f, 0.8f);
    second.add (sheet->sheet, 28, 10, 30, 30, 1.1f, 0.6f);
    for (auto* s : { first.pointers[0], second.pointers[0] })
        both.pointers.push_back (s);

    SxRef<SxImageRgbaBytes> single (makeCanvas (width, height));
    ASSERT_TRUE (renderMultiply (*single, sheet->list, both.pointers));

    SxRef<SxImageRgbaBytes> image (makeCanvas (width, height));
    SxRef<SxImageRgbaBytes> original (image->clone());
    SpriteRendererMultiplyBrush renderer (sheet->list);
    RectBounds dirty;

    // Not releasing: only the dirty area is read, still premultiplied (opaque here, so equal).
    ASSERT_TRUE (renderer.renderPass (*image, first.pointers, true, image.get(), dirty, true, false, false, {}));
    EXPECT_EQ (dirty, SpriteRenderer::dirtyRectOf (first.pointers, width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const bool outside = x < dirty.left || x > dirty.right || y < dirty.top || y > dirty.bottom;
            ASSERT_TRUE (! outside || image->getPixel (x, y) == original->getPixel (x, y)) << x << ", " << y;
        }

    ASSERT_TRUE (renderer.renderPass (*image, second.pointers, true, nullptr, dirty, false, true, false, {}));
    EXPECT_EQ (countDifferences (*image, *single, 0), 0);

    // The sequence is over: a pass that does not create a target has nothing to draw on.
    SxRef<SxImageRgbaBytes> copy (image->clone());
    testing::internal::CaptureStderr();
    EXPECT_FALSE (renderer.renderPass (*image, second.pointers, true, nullptr, dirty, false, true, false, {}));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ (countDifferences (*image, *copy, 0), 0);
}

//==============================================================================
TEST (BrushTiling, GridCases)
{
    struct Case { int maxTexture, width, height, columns, rows, lastWidth, lastHeight; };
    const Case cases[] = {
        { 4096, 4000, 4000, 1, 1, 4000, 4000 },
        { 4096, 4001, 3000, 2, 1, 1, 3000 },
        { 4096, 8192, 8192, 3, 3, 192, 192 },
        { 136, 150, 110, 4, 3, 30, 30 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.width << " x " << c.height);
        const int tile = BrushTiling::tileSideFor (c.maxTexture);
        int columns = 0, rows = 0;
        BrushTiling::tileGridSize (c.width, c.height, tile, columns, rows);
        EXPECT_EQ (columns, c.columns);
        EXPECT_EQ (rows, c.rows);

        const auto last = BrushTiling::tileRect (c.width, c.height, tile, columns - 1, rows - 1);
        EXPECT_EQ (last.right - last.left + 1, c.lastWidth);
        EXPECT_EQ (last.bottom - last.top + 1, c.lastHeight);
        EXPECT_EQ (last.right, c.width - 1);
        EXPECT_EQ (last.bottom, c.height - 1);
    }

    EXPECT_EQ (BrushTiling::tileSideFor (4096), 4000);
    EXPECT_EQ (BrushTiling::tileSideFor (16384), BrushTiling::maxTileSide);   // capped
    EXPECT_LT (BrushTiling::tileSideFor (96), 1);

    int columns = -1, rows = -1;
    BrushTiling::tileGridSize (100, 100, 0, columns, rows);
    EXPECT_EQ (columns, 0);
    EXPECT_EQ (rows, 0);
}

TEST (SpriteRenderer, KeptResourcesGiveWhatAFreshRendererGives)
{
    // One renderer that keeps its target and textures, through sizes A, B, A and a canvas
    // that is not the target, against a fresh renderer for every render.
    auto sheet = TestSheet::softDisc();
    SpriteRendererMultiplyBrush kept (sheet->list);
    kept.setKeepsResources (true);

    struct Render { int width, height; bool ownCanvas; int seed; };
    const Render renders[] = { { 80, 60, false, 1 }, { 80, 60, false, 2 }, { 50, 90, true, 3 }, { 80, 60, true, 4 } };
    for (const auto& r : renders)
    {
        SpriteSet sprites;
        sprites.addRandom (sheet->sheet, 25, r.width, r.height, r.seed);
        SxRef<SxImageRgbaBytes> canvas (makeCanvas (r.width, r.height));
        SxRef<SxImageRgbaBytes> expected (makeFilled (r.width, r.height, { 255, 255, 255, 255 }));
        SxRef<SxImageRgbaBytes> actual (expected->clone());
        const auto* fresh = r.ownCanvas ? canvas.get() : expected.get();

        SpriteRendererMultiplyBrush once (sheet->list);
        ASSERT_TRUE (once.render (*expected, sprites.pointers, true, fresh, true, true, false));

        SpriteRenderer::PassOptions options;
        options.canvas = r.ownCanvas ? canvas.get() : actual.get();
        ASSERT_TRUE (kept.render (*actual, sprites.pointers, options));
        EXPECT_EQ (countDifferences (*actual, *expected, 0), 0) << r.width << " x " << r.height << ", seed " << r.seed;
    }
    kept.releaseResources();
}

TEST (SpriteRenderer, ReadBackFollowsGreyScaleAndRelease)
{
    using ReadBack = SpriteRenderer::ReadBack;
    struct Case { bool grey, release; ReadBack expected; };
    const Case cases[] = {
        { true, true, ReadBack::straight },
        { true, false, ReadBack::dirtyPremultiplied },
        { false, true, ReadBack::whole },
        { false, false, ReadBack::whole },
    };
    for (const auto& c : cases)
    {
        SpriteRenderer::PassOptions options;
        options.useGreyScale = c.grey;
        options.release = c.release;
        EXPECT_EQ (options.readBack(), c.expected) << c.grey << c.release;
    }
}

namespace
{
    /** Records the passes render asks for instead of drawing them. */
    struct RecordingRenderer : SpriteRendererMultiplyBrush
    {
        using SpriteRendererMultiplyBrush::SpriteRendererMultiplyBrush;

        struct Pass { int width, height; float offsetX, offsetY; bool createTarget, release; };

        bool renderPass (SxImageRgbaBytes& target, SpriteList, bool, const SxImageRgbaBytes*, RectBounds&,
                         bool createTarget, bool release, bool, SxPoint offset) override
        {
            passes.push_back ({ target.width, target.height, offset.x, offset.y, createTarget, release });
            return true;
        }

        std::vector<Pass> passes;
    };
}

TEST (SpriteRenderer, TilesOnlyWhatExceedsTheTileSide)
{
    SpriteSheetList sheets;
    RecordingRenderer renderer (sheets);
    renderer.setMaxTextureSize (4096);

    SxImageRgbaBytes fits (4000, 30);
    ASSERT_TRUE (renderer.render (fits, {}, true, nullptr, false, false, false));
    ASSERT_EQ (renderer.passes.size(), 1u);
    EXPECT_EQ (renderer.passes[0].width, 4000);
    EXPECT_FALSE (renderer.passes[0].createTarget);   // the caller's flags when not tiling
    EXPECT_FALSE (renderer.passes[0].release);

    renderer.passes.clear();
    SxImageRgbaBytes wide (4001, 30);
    ASSERT_TRUE (renderer.render (wide, {}, true, nullptr, false, false, false));
    ASSERT_EQ (renderer.passes.size(), 2u);
    EXPECT_EQ (renderer.passes[0].width, 4000);
    EXPECT_EQ (renderer.passes[1].width, 1);
    EXPECT_EQ (renderer.passes[1].height, 30);
    EXPECT_EQ (renderer.passes[1].offsetX, -4000.0f);
    EXPECT_EQ (renderer.passes[1].offsetY, 0.0f);
    EXPECT_TRUE (renderer.passes[1].createTarget && renderer.passes[1].release);
}

TEST (SpriteRenderer, TiledRenderEqualsUntiled)
{
    constexpr int width = 150, height = 110;
    auto sheet = TestSheet::softDisc();
    SpriteSet sprites;
    sprites.addRandom (sheet->sheet, 30, width, height, 3);
    sprites.add (sheet->sheet, 20, 20, 40, 40, 0.7f);   // centred on the corner of four tiles

    SxRef<SxImageRgbaBytes> untiled (makeCanvas (width, height));
    ASSERT_TRUE (renderMultiply (*untiled, sheet->list, sprites.pointers));

    for (int maxTexture : { 96 + 40, 96 + 64, 96 + 149 })
    {
        SCOPED_TRACE (maxTexture);
        SxRef<SxImageRgbaBytes> tiled (makeCanvas (width, height));
        ASSERT_TRUE (renderMultiply (*tiled, sheet->list, sprites.pointers, maxTexture));
        EXPECT_EQ (countDifferences (*tiled, *untiled, 1), 0);
    }
}

TEST (SpriteRenderer, WithoutCanvasTilesStartFromTheTargetAndOnePassFromTransparent)
{
    auto sheet = TestSheet::softDisc();
    SxRef<SxImageRgbaBytes> image (makeCanvas (50, 30));
    SxRef<SxImageRgbaBytes> original (image->clone());

    SpriteRendererMultiplyBrush renderer (sheet->list);
    renderer.setMaxTextureSize (96 + 20);
    ASSERT_TRUE (renderer.render (*image, {}, true, nullptr, true, true, false));
    EXPECT_EQ (countDifferences (*image, *original, 0), 0);

    // One pass without a canvas starts from a transparent framebuffer instead.
    SpriteRendererMultiplyBrush untiled (sheet->list);
    ASSERT_TRUE (untiled.render (*image, {}, true, nullptr, true, true, false));
    SxRef<SxImageRgbaBytes> transparent (new SxImageRgbaBytes (50, 30));
    EXPECT_EQ (countDifferences (*image, *transparent, 0), 0);
}

//==============================================================================
namespace
{
    struct BrokenShaderRenderer : SpriteRendererMultiplyBrush
    {
        using SpriteRendererMultiplyBrush::SpriteRendererMultiplyBrush;
        juce::String fragmentShaderSource() const override { return "void main() { this is not GLSL }"; }
    };

    int count (const std::string& text, const std::string& what)
    {
        int n = 0;
        for (size_t at = text.find (what); at != std::string::npos; at = text.find (what, at + 1))
            ++n;
        return n;
    }
}

TEST (SpriteRenderer, ShaderFailureLeavesTheImageAndReportsOnce)
{
    auto sheet = TestSheet::softDisc();
    SpriteSet sprites;
    sprites.addRandom (sheet->sheet, 10, 60, 40, 1);
    SxRef<SxImageRgbaBytes> image (makeFilled (60, 40, { 255, 255, 255, 255 }));
    SxRef<SxImageRgbaBytes> original (image->clone());

    BrokenShaderRenderer renderer (sheet->list);
    renderer.setMaxTextureSize (96 + 25);   // several tiles, one report

    testing::internal::CaptureStderr();
    EXPECT_FALSE (renderer.render (*image, sprites.pointers, true, image.get(), true, true, false));
    EXPECT_FALSE (renderer.render (*image, sprites.pointers, true, image.get(), true, true, false));
    const auto log = testing::internal::GetCapturedStderr();

    EXPECT_EQ (count (log, "Brush renderer:"), 1) << log;
    EXPECT_EQ (countDifferences (*image, *original, 0), 0);
}

TEST (SpriteRenderer, IncompleteFramebufferLeavesTheImageAndReportsOnce)
{
    const int maxTexture = GPUImageOpenGLESContext::queryMaxTextureSize();
    ASSERT_GT (maxTexture, 0);

    // One row wider than any texture may be: the framebuffer cannot be completed.
    auto sheet = TestSheet::softDisc();
    SpriteSet sprites;
    sprites.add (sheet->sheet, 0, 0, 10, 1);
    SxRef<SxImageRgbaBytes> image (makeFilled (maxTexture + 1, 1, { 255, 255, 255, 255 }));
    SxRef<SxImageRgbaBytes> original (image->clone());

    SpriteRendererMultiplyBrush renderer (sheet->list);
    RectBounds dirty;
    testing::internal::CaptureStderr();
    EXPECT_FALSE (renderer.renderPass (*image, sprites.pointers, true, image.get(), dirty, true, true, false, {}));
    const auto log = testing::internal::GetCapturedStderr();

    EXPECT_EQ (count (log, "Brush renderer:"), 1) << log;
    EXPECT_NE (log.find ("framebuffer"), std::string::npos);
    EXPECT_EQ (countDifferences (*image, *original, 0), 0);

    // The same renderer draws again once the target fits.
    SxRef<SxImageRgbaBytes> small (makeFilled (20, 1, { 255, 255, 255, 255 }));
    EXPECT_TRUE (renderer.renderPass (*small, sprites.pointers, true, small.get(), dirty, true, true, false, {}));
}

TEST (SpriteRenderer, RendersFromAnyThreadThatHoldsTheLock)
{
    constexpr int width = 90, height = 70;
    auto sheet = TestSheet::softDisc();
    SpriteSet sprites;
    sprites.addRandom (sheet->sheet, 30, width, height, 11);

    SxRef<SxImageRgbaBytes> expected (makeCanvas (width, height));
    ASSERT_TRUE (renderMultiply (*expected, sheet->list, sprites.pointers));

    std::vector<SxRef<SxImageRgbaBytes>> images;
    for (int i = 0; i < 4; ++i)
        images.emplace_back (makeCanvas (width, height));

    bool drawn[4] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back ([&, i]
        {
            for (int round = 0; round < 3 && (round == 0 || drawn[i]); ++round)
            {
                auto* image = images[(size_t) i].get();
                SxRef<SxImageRgbaBytes> fresh (makeCanvas (width, height));
                image->copyPixelsFrom (*fresh);
                drawn[i] = renderMultiply (*image, sheet->list, sprites.pointers, i % 2 == 0 ? 0 : 96 + 33);
            }
        });

    for (auto& t : threads)
        t.join();

    for (int i = 0; i < 4; ++i)
    {
        EXPECT_TRUE (drawn[i]);
        EXPECT_EQ (countDifferences (*images[(size_t) i], *expected, 1), 0) << "thread " << i;
    }
}
