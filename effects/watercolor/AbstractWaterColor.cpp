#include "AbstractWaterColor.h"

#include "BlendModes.h"
#include "BrushRenderLock.h"
#include "ColourOperations.h"
#include "GrayFilters.h"
#include "InkOutlineAndPaper.h"
#include "PixelMath.h"
#include "WatercolorInkOutline.h"
#include "WatercolorRender.h"

#include <array>

namespace
{
    std::array<uint8_t, 256> makeTable (int (*value) (int))
    {
        std::array<uint8_t, 256> table {};
        for (int v = 0; v < 256; ++v)
            table[(size_t) v] = (uint8_t) value (v);
        return table;
    }
}

AbstractWaterColor::AbstractWaterColor()
{
    StylizedWatercolor::resetToDefaults();
    randomizeSettings();
}

Layer* AbstractWaterColor::createInstance()
{
    return new AbstractWaterColor();
}

void AbstractWaterColor::resetToDefaults()
{
    StylizedWatercolor::resetToDefaults();
    randomizeSettings();
}

void AbstractWaterColor::softenPaintMask (SxImageAlphaByte& mask, const WatercolorSettings& settings, float renderScale)
{
    gaussianBlurGray (mask, (double) ((settings.mWetEdge * 14.0f + 2.0f) * renderScale));
    applyFibersTexture (mask, "Quenzella_Tolva_General", settings.mStrength + 0.5f);
}

void AbstractWaterColor::render (RenderParameters& params)
{
    // The seeded generator and the GL context are shared with every other brush render,
    // so this render must not overlap one on another thread.
    const juce::ScopedLock brushLock (brushRenderLock);
    auto workingGray = startPainting (params);
    if (workingGray.get() == nullptr)
        return;
    auto& output = *getOutputImage();
    softenPaintMask (*workingGray, settings, params.renderScale);
    WatercolorRender::stageDone ("softened mask");

    // The same dabs as the stylized render, never hue-shifted.
    drawDabLayer (params, 0.0f);

    // Dark dab areas become strong windows.
    {
        auto windows = WatercolorInkOutline::makeGray (*caches.dabLayer);
        static const auto invert = makeTable ([] (int v) { return 255 - v; });
        applyGrayTable (*windows, invert);
        contrastCurve (*windows, *windows, 0.0f, 0.75f);
        WatercolorRender::stageDone ("dab windows");

        caches.dabLayer->fill (PixelMath::makeWord (255, 255, 255, 255));
        const float vibrancy = settings.saturation * 0.8f + 0.2f;
        for (int pass = 0; pass < 3; ++pass)
            adjustHueSaturationLightness (output, output, vibrancy);
        WatercolorRender::stageDone ("vibrancy three times");

        // The vivid photograph shows through the windows on white.
        multiplyThroughMask (*caches.dabLayer, output, *windows, 1.0f);
        WatercolorRender::stageDone ("photograph through the windows");
    }

    WatercolorRender::layBackground (output, *params.image, settings, caches.paperImage.get());
    WatercolorRender::stageDone ("background");

    // Twice through the paint mask, the second time at half weight.
    multiplyThroughMask (output, *caches.dabLayer, *workingGray, 1.0f);
    static const auto halve = makeTable ([] (int v) { return v / 2; });
    applyGrayTable (*workingGray, halve);
    multiplyThroughMask (output, *caches.dabLayer, *workingGray, 1.0f);
    workingGray.reset();
    WatercolorRender::stageDone ("windows through the mask twice");

    finishPainting (params);
}
