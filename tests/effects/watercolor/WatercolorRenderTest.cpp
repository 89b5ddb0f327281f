#include <gtest/gtest.h>

#include "ImageTestUtils.h"
#include "WatercolorTestSupport.h"

#include "ColourOperations.h"
#include "EffectRandom.h"
#include "LayerSaveOptions.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "RenderParameters.h"
#include "StylizedWatercolor.h"
#include "WatercolorRender.h"

#include <cmath>

namespace
{
    /** A sheet with one square frame (no image: the grid needs only frame sizes). */
    struct SquareSheet
    {
        SquareSheet() { sheet.addFrame ({ "dab", 0.0f, 0.0f, 99.0f, 99.0f }, 0); }
        SpriteSheet sheet;
    };

    WatercolorRender::DabList dabsFor (const SpriteSheet& sheet, const WatercolorSettings& settings,
                                       float scale, int width, int height)
    {
        EffectRandom generator;
        const EffectRandom::ScopedUse use (generator);
        return WatercolorRender::makeDabs (sheet, settings, scale, width, height);
    }


    struct RenderedLayer
    {
        explicit RenderedLayer (const SxImageRgbaBytes& source, float scale = 1.0f) : input (source)
        {
            auto& s = layer.getSettings();
            s = WatercolorSettings();
            params.image = &input;
            params.renderScale = scale;
        }

        const SxImageRgbaBytes& render()
        {
            layer.render (params);
            return *layer.getOutputImage();
        }

        SxImageRgbaBytes input;
        StylizedWatercolor layer;
        RenderParameters params;
    };

}

//==============================================================================
TEST (WatercolorDabs, WorkedNumbersGiveTheGridAndVariationZeroGivesTheBaseSize)
{
    SquareSheet square;
    WatercolorSettings settings;
    settings.mVariation = 0.0f;

    // u = 237.5, f = 1.6125: 6 rows and 6 columns, two more of each past the edges.
    const auto dabs = dabsFor (square.sheet, settings, 1.0f, 1024, 1024);
    ASSERT_EQ (dabs.size(), 64u);
    for (const auto& dab : dabs)
    {
        EXPECT_FLOAT_EQ (dab->size.x, 237.5f);
        EXPECT_FLOAT_EQ (dab->size.y, 237.5f);
        EXPECT_GE (dab->rotation, 0.0f);
        EXPECT_LT (dab->rotation, 6.2832f);
        EXPECT_EQ (dab->opacity, 1.0f);
    }
}

TEST (WatercolorDabs, SameSettingsAndSizeGiveTheSamePattern)
{
    SquareSheet square;
    WatercolorSettings settings;
    settings.mVariation = 0.6f;

    const auto first = dabsFor (square.sheet, settings, 1.3f, 1301, 900);
    const auto second = dabsFor (square.sheet, settings, 1.3f, 1301, 900);
    ASSERT_EQ (first.size(), second.size());
    ASSERT_FALSE (first.empty());
    for (size_t i = 0; i < first.size(); ++i)
    {
        EXPECT_EQ (first[i]->position, second[i]->position);
        EXPECT_EQ (first[i]->size, second[i]->size);
        EXPECT_EQ (first[i]->rotation, second[i]->rotation);
    }

    // Another variation is another pattern.
    settings.mVariation = 0.61f;
    const auto other = dabsFor (square.sheet, settings, 1.3f, 1301, 900);
    EXPECT_NE (other[0]->position, first[0]->position);
}

TEST (WatercolorDabs, APreviewAndAFullRenderShowThePatternScaled)
{
    SquareSheet square;
    WatercolorSettings settings;
    settings.mVariation = 0.4f;

    const auto preview = dabsFor (square.sheet, settings, 1.0f, 1024, 768);
    const auto full = dabsFor (square.sheet, settings, 3.0f, 3072, 2304);
    ASSERT_EQ (preview.size(), full.size());
    for (size_t i = 0; i < preview.size(); ++i)
    {
        EXPECT_NEAR (full[i]->size.x, preview[i]->size.x * 3.0f, 1.0e-3f);
        // Centres are truncated to whole pixels at each scale.
        EXPECT_NEAR (full[i]->position.x + full[i]->size.x * 0.5f, (preview[i]->position.x + preview[i]->size.x * 0.5f) * 3.0f, 6.0f);
        EXPECT_NEAR (full[i]->position.y + full[i]->size.y * 0.5f, (preview[i]->position.y + preview[i]->size.y * 0.5f) * 3.0f, 6.0f);
    }
}

TEST (WatercolorDabs, NoGridWithoutFramesOrBelowOneCell)
{
    // Zero rows or columns used to divide by zero; no frame gives the 50000 side.
    SquareSheet square;
    SpriteSheet empty;
    const WatercolorSettings settings;

    struct Case { const SpriteSheet* sheet; float scale; int width, height; };
    for (const auto& c : { Case { &square.sheet, 1.0f, 1, 1 },
                           Case { &square.sheet, 1.0f, 3, 2000 },
                           Case { &square.sheet, 1.0f, 2000, 3 },
                           Case { &empty, 30.0f, 30000, 30000 },
                           Case { &square.sheet, 1.0e-9f, 4000, 4000 } })
        EXPECT_TRUE (dabsFor (*c.sheet, settings, c.scale, c.width, c.height).empty())
            << c.width << " x " << c.height << " at " << c.scale;
}

TEST (WatercolorDabs, InkColourTakesItsAlphaFromTheInkStrength)
{
    WatercolorSettings settings;
    settings.sepiaColor = PixelMath::makeWord (17, 55, 15, 3);
    settings.sepiaStrength = 0.5f;
    EXPECT_EQ (WatercolorRender::inkColourWord (settings), PixelMath::makeWord (127, 55, 15, 3));

    // Out of range keeps the lowest byte of the truncation, without undefined conversions.
    for (const auto& [strength, alpha] : { std::pair { 2.0f, 510 & 0xff }, std::pair { 1.0e30f, 1000000000 & 0xff },
                                           std::pair { std::nanf (""), 0 } })
    {
        settings.sepiaStrength = strength;
        EXPECT_EQ (PixelMath::wordAlpha (WatercolorRender::inkColourWord (settings)), alpha) << strength;
    }
}

TEST (WatercolorDabs, HueShiftZeroSkipsTheHuePassAndHalfAStepRunsIt)
{
    // The hue round trip is not the identity, so a skipped pass is visible in the bytes.
    SpriteSheet atlas;
    ASSERT_TRUE (WatercolorRender::loadBrushAtlas (atlas));
    WatercolorSettings settings;
    settings.mVariation = 0.5f;
    const auto dabs = dabsFor (atlas, settings, 0.2f, 200, 150);
    ASSERT_FALSE (dabs.empty());

    SxImageRgbaBytes unshifted (200, 150), halfStep (200, 150);
    ASSERT_TRUE (WatercolorRender::paintDabLayer (unshifted, atlas, dabs, 0.0f));
    ASSERT_TRUE (WatercolorRender::paintDabLayer (halfStep, atlas, dabs, 0.5f));

    SxImageRgbaBytes expected (unshifted);
    shiftHue (expected, expected, 0.005f);
    EXPECT_FALSE (sxtest::sameBytes (expected, unshifted));
    EXPECT_TRUE (sxtest::sameBytes (halfStep, expected));
}

//==============================================================================
TEST (WatercolorRender, RendersReproduciblyAndKeepsTransparency)
{
    RenderedLayer a (sxtest::makeScene (160, 120));
    a.layer.getSettings().mVariation = 0.5f;
    const SxImageRgbaBytes first (a.render());
    const auto& second = a.render();

    EXPECT_TRUE (sxtest::sameBytes (first, second));
    EXPECT_EQ (first.getRowPointer (0)[0], 0);
    EXPECT_FALSE (sxtest::sameBytes (first, a.input));

    // All cores give the single-threaded result.
    const ParallelRows::ScopedThreadLimit oneThread (1);
    EXPECT_TRUE (sxtest::sameBytes (first, a.render()));
}

TEST (WatercolorRender, ALoadThatLeavesTheInkSettingsKeepsTheOutlineAndPaintsTheSameBytes)
{
    // What an undo of the Strength slider loads.
    StylizedWatercolor earlier;
    earlier.getSettings() = WatercolorSettings();
    earlier.getSettings().mStrength = 0.15f;
    SxPropertySet snapshot;
    earlier.saveToPropertySet (snapshot, LayerSaveOptions { true });

    RenderedLayer kept (sxtest::makeScene (160, 120));
    const SxImageRgbaBytes before (kept.render());
    const auto* outline = kept.layer.getCaches().inkOutlineMask.get();
    kept.layer.loadFromPropertySet (snapshot, LayerSaveOptions { true });
    ASSERT_EQ (kept.layer.getCaches().inkOutlineMask.get(), outline) << "the outline is kept";
    const SxImageRgbaBytes afterLoad (kept.render());

    RenderedLayer fresh (sxtest::makeScene (160, 120));
    fresh.layer.loadFromPropertySet (snapshot, LayerSaveOptions { true });
    EXPECT_TRUE (sxtest::sameBytes (afterLoad, fresh.render()));
    EXPECT_FALSE (sxtest::sameBytes (afterLoad, before)) << "the loaded setting shows";
}

TEST (WatercolorRender, OverallStrengthZeroReturnsTheInput)
{
    RenderedLayer a (sxtest::makeScene (90, 70));
    a.layer.getSettings().overallStrength = 0.0f;
    EXPECT_TRUE (sxtest::sameBytes (a.render(), a.input));
}

TEST (WatercolorRender, NoPaintAreaLeavesBackgroundAndInk)
{
    // White input with Color Area Dark at zero fill: nothing is dark enough to paint.
    SxImageRgbaBytes white (120, 80);
    white.fill (PixelMath::makeWord (255, 255, 255, 255));
    RenderedLayer a (white);
    auto& s = a.layer.getSettings();
    s.mInsideColor = 0;
    s.mEdge = 0.0f;
    s.backgroundStyleMode = 0;
    s.backgroundColor = PixelMath::makeWord (255, 240, 200, 150);
    const SxImageRgbaBytes rendered (a.render());

    SxImageRgbaBytes expected (white);
    WatercolorRender::layBackground (expected, white, s, nullptr);
    tintThroughMask (expected, *a.layer.getCaches().inkOutlineMask, WatercolorRender::inkColourWord (s));
    EXPECT_TRUE (sxtest::sameBytes (rendered, expected));
}

TEST (WatercolorRender, PaperBackgroundWithoutPaperFallsBackToThePlainColour)
{
    // Left to chance, the paper step would keep the photograph under the paint.
    const auto input = sxtest::makeScene (40, 30);
    WatercolorSettings plain;
    plain.backgroundStyleMode = 0;
    plain.backgroundColor = PixelMath::makeWord (255, 230, 220, 200);
    auto paper = plain;
    paper.backgroundStyleMode = 1;

    SxImageRgbaBytes expected (input), fallback (input);
    WatercolorRender::layBackground (expected, input, plain, nullptr);
    WatercolorRender::layBackground (fallback, input, paper, nullptr);
    EXPECT_TRUE (sxtest::sameBytes (fallback, expected));
    EXPECT_FALSE (sxtest::sameBytes (fallback, input));
}

TEST (WatercolorRender, TinyAndThinImagesComplete)
{
    for (const auto& [w, h] : { std::pair { 1, 1 }, std::pair { 3, 2000 }, std::pair { 2000, 3 } })
    {
        RenderedLayer a (sxtest::makeScene (w, h));
        const auto& out = a.render();
        EXPECT_EQ (out.width, w);
        EXPECT_EQ (out.height, h);
    }
}
