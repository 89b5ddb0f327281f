#include <gtest/gtest.h>

#include "ImageTestUtils.h"
#include "WatercolorTestSupport.h"

#include "AbstractWaterColor.h"
#include "BlendModes.h"
#include "ColourOperations.h"
#include "GrayFilters.h"
#include "InkOutlineAndPaper.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "RenderParameters.h"
#include "WatercolorInkOutline.h"

#include <cmath>
#include <thread>

namespace
{
    using PixelMath::makeWord;


    /** A layer of either effect with reset values, rendering one input at one scale. */
    template <typename Effect>
    struct Rendered
    {
        explicit Rendered (const SxImageRgbaBytes& source, float scale = 1.0f) : input (source)
        {
            layer.getSettings() = WatercolorSettings();
            layer.getSettings().mVariation = 0.4f;
            params.image = &input;
            params.renderScale = scale;
        }

        const SxImageRgbaBytes& render()
        {
            layer.render (params);
            return *layer.getOutputImage();
        }

        const SxImageRgbaBytes& dabLayer() const { return *layer.getCaches().dabLayer; }

        SxImageRgbaBytes input;
        Effect layer;
        RenderParameters params;
    };


    bool isWhite (const uint8_t* p) { return p[1] == 255 && p[2] == 255 && p[3] == 255; }

    size_t countNonWhite (const SxImageRgbaBytes& image)
    {
        size_t n = 0;
        for (size_t i = 0; i < (size_t) image.width * (size_t) image.height; ++i)
            n += isWhite (image.pixels + i * 4) ? 0 : 1;
        return n;
    }

    /** What the abstract dab layer must hold for these brush strokes: the input made
        vivid three times, multiplied onto white through the inverted, contrasted strokes. */
    SxImageRgbaBytes expectedWindows (const SxImageRgbaBytes& strokes, const SxImageRgbaBytes& input, float saturation)
    {
        auto d = WatercolorInkOutline::makeGray (strokes);
        for (size_t i = 0; i < (size_t) d->width * (size_t) d->height; ++i)
            d->pixels[i] = (uint8_t) (255 - d->pixels[i]);
        contrastCurve (*d, *d, 0.0f, 0.75f);

        SxImageRgbaBytes vivid (input);
        for (int pass = 0; pass < 3; ++pass)
            adjustHueSaturationLightness (vivid, vivid, saturation * 0.8f + 0.2f);

        SxImageRgbaBytes windows (input.width, input.height);
        windows.fill (makeWord (255, 255, 255, 255));
        multiplyThroughMask (windows, vivid, *d, 1.0f);
        return windows;
    }
}

//==============================================================================
TEST (AbstractWaterColor, DrawsTheStylizedDabPatternAsWindows)
{
    const auto scene = sxtest::makeScene (200, 150);
    Rendered<StylizedWatercolor> stylized (scene);
    stylized.layer.getSettings().hueShift = 0.0f;   // the strokes in their own colours
    stylized.render();
    Rendered<AbstractWaterColor> abstract (scene);
    abstract.render();

    const auto& strokes = stylized.dabLayer();
    const auto& windows = abstract.dabLayer();
    const size_t painted = countNonWhite (strokes);
    ASSERT_GT (painted, strokes.width * strokes.height / 4u) << "no dabs drawn: no GPU?";

    // A window opens only where a stroke was drawn, and most strokes open one.
    size_t windowsOnStrokes = 0, windowsElsewhere = 0;
    for (size_t i = 0; i < (size_t) strokes.width * (size_t) strokes.height; ++i)
        if (! isWhite (windows.pixels + i * 4))
            ++(isWhite (strokes.pixels + i * 4) ? windowsElsewhere : windowsOnStrokes);
    EXPECT_EQ (windowsElsewhere, 0u);
    EXPECT_GT (windowsOnStrokes, painted / 2);

    // Another variation is another pattern.
    Rendered<AbstractWaterColor> other (scene);
    other.layer.getSettings().mVariation = 0.9f;
    other.render();
    EXPECT_FALSE (sxtest::sameBytes (other.dabLayer(), windows));
}

TEST (AbstractWaterColor, VibrancyZeroStillSaturatesThreeTimes)
{
    const auto scene = sxtest::makeScene (160, 120);
    Rendered<StylizedWatercolor> stylized (scene);
    stylized.layer.getSettings().hueShift = 0.0f;
    stylized.render();
    const SxImageRgbaBytes strokes (stylized.dabLayer());

    for (const float saturation : { 0.0f, 0.3f, 1.0f })
    {
        Rendered<AbstractWaterColor> abstract (scene);
        abstract.layer.getSettings().saturation = saturation;
        abstract.render();
        EXPECT_TRUE (sxtest::sameBytes (abstract.dabLayer(), expectedWindows (strokes, scene, saturation)))
            << "vibrancy " << saturation;
    }

    // Amount 0.2 changes the picture: the windows are not the unchanged input.
    SxImageRgbaBytes once (scene);
    adjustHueSaturationLightness (once, once, 0.2f);
    EXPECT_FALSE (sxtest::sameBytes (once, scene));
}

TEST (AbstractWaterColor, WetEdgesZeroStillBlursTheMaskByTwiceTheScale)
{
    SxImageAlphaByte step (64, 16);
    for (int y = 0; y < step.height; ++y)
        for (int x = 32; x < step.width; ++x)
            step.getRowPointer (y)[x] = 255;

    WatercolorSettings settings;
    settings.mStrength = 0.5f;
    for (const auto& [wetEdge, scale, radius] : { std::tuple { 0.0f, 1.0f, 2.0 }, std::tuple { 0.0f, 2.5f, 5.0 },
                                                  std::tuple { 0.5f, 1.0f, 9.0 } })
    {
        settings.mWetEdge = wetEdge;
        SxImageAlphaByte softened (step);
        AbstractWaterColor::softenPaintMask (softened, settings, scale);

        SxImageAlphaByte expected (step);
        gaussianBlurGray (expected, radius);
        applyFibersTexture (expected, "Quenzella_Tolva_General", 1.0f);
        EXPECT_TRUE (std::equal (softened.pixels, softened.pixels + 64 * 16, expected.pixels))
            << "wet edge " << wetEdge << " at " << scale;

        SxImageAlphaByte unblurred (step);
        applyFibersTexture (unblurred, "Quenzella_Tolva_General", 1.0f);
        EXPECT_FALSE (std::equal (softened.pixels, softened.pixels + 64 * 16, unblurred.pixels));
    }
}

TEST (AbstractWaterColor, RendersReproduciblyAndKeepsTransparency)
{
    Rendered<AbstractWaterColor> a (sxtest::makeScene (160, 120));
    const SxImageRgbaBytes first (a.render());
    EXPECT_TRUE (sxtest::sameBytes (first, a.render()));
    EXPECT_EQ (first.getRowPointer (0)[0], 0);
    EXPECT_FALSE (sxtest::sameBytes (first, a.input));

    // All cores give the single-threaded result.
    const ParallelRows::ScopedThreadLimit oneThread (1);
    EXPECT_TRUE (sxtest::sameBytes (first, a.render()));
}

TEST (AbstractWaterColor, OverallStrengthZeroReturnsTheInput)
{
    Rendered<AbstractWaterColor> a (sxtest::makeScene (90, 70));
    a.layer.getSettings().overallStrength = 0.0f;
    EXPECT_TRUE (sxtest::sameBytes (a.render(), a.input));
}

TEST (AbstractWaterColor, ColourShiftHasNoEffect)
{
    const auto scene = sxtest::makeScene (120, 90);
    Rendered<AbstractWaterColor> plain (scene);
    plain.layer.getSettings().hueShift = 0.0f;
    const SxImageRgbaBytes reference (plain.render());

    for (const float hueShift : { 0.5f, 30.0f, -50.0f })
    {
        Rendered<AbstractWaterColor> shifted (scene);
        shifted.layer.getSettings().hueShift = hueShift;
        EXPECT_TRUE (sxtest::sameBytes (shifted.render(), reference)) << hueShift;
    }
}

TEST (AbstractWaterColor, ConcurrentBrushRendersGiveTheirOwnResults)
{
    // Both effects share the seeded generator and the GL context: renders on two threads
    // must give what each gives alone.
    const auto scene = sxtest::makeScene (150, 110);
    Rendered<StylizedWatercolor> stylized (scene);
    Rendered<AbstractWaterColor> abstract (scene);
    const SxImageRgbaBytes stylizedAlone (stylized.render());
    const SxImageRgbaBytes abstractAlone (abstract.render());

    bool stylizedSame = true, abstractSame = true;
    std::thread other ([&] {
        for (int i = 0; i < 4; ++i)
            stylizedSame = sxtest::sameBytes (stylized.render(), stylizedAlone) && stylizedSame;
    });
    for (int i = 0; i < 4; ++i)
        abstractSame = sxtest::sameBytes (abstract.render(), abstractAlone) && abstractSame;
    other.join();
    EXPECT_TRUE (stylizedSame);
    EXPECT_TRUE (abstractSame);
}

TEST (AbstractWaterColor, TinyAndThinImagesComplete)
{
    for (const auto& [w, h] : { std::pair { 1, 1 }, std::pair { 3, 2000 }, std::pair { 2000, 3 } })
    {
        Rendered<AbstractWaterColor> a (sxtest::makeScene (w, h));
        const auto& out = a.render();
        EXPECT_EQ (out.width, w);
        EXPECT_EQ (out.height, h);
    }
}
