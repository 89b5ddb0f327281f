#include "WatercolorRender.h"

#include "BlendModes.h"
#include "DabPainter.h"
#include "BrushRenderLock.h"
#include "EffectRandom.h"
#include "StylizedWatercolor.h"
#include "WatercolorInkOutline.h"
#include "WatercolorPaintMask.h"
#include "WatercolorPaperAndBorder.h"

#include "ColourOperations.h"
#include "ParallelRows.h"
#include "PixelMath.h"
#include "Resampling.h"
#include "ResourceArchive.h"
#include "SpriteRendererMultiplyBrush.h"
#include "SpriteSheetList.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <future>
#include <mutex>
#include <system_error>

namespace
{
    const juce::String atlasGroup { "Tolva_Brush_Atlas" };
    const juce::String atlasImageName { "Tolva_Brush_Atlas" };
    const juce::String atlasDescriptionName { "Tolva_Color_Brush_Atlas" };

    // Far beyond any real grid (a 24 MP image has a few thousand dabs); only an absurd
    // render scale gets near it, and then drawing nothing beats exhausting memory.
    constexpr int maxDabs = 1 << 22;

    std::atomic<WatercolorRender::StageObserver> stageObserver { nullptr };
}

void WatercolorRender::setStageObserver (StageObserver observer) noexcept
{
    stageObserver = observer;
}

void WatercolorRender::stageDone (const char* stage) noexcept
{
    if (auto observer = stageObserver.load())
        observer (stage);
}

void WatercolorRender::layBackground (SxImageRgbaBytes& output, const SxImageRgbaBytes& input,
                                      const WatercolorSettings& settings, const SxImageRgbaBytes* paperImage)
{
    const bool paper = settings.backgroundStyleMode == 1 && paperImage != nullptr
                    && paperImage->pixels != nullptr && paperImage->width > 0 && paperImage->height > 0;
    if (paper)
    {
        const RectBounds source { 0.0f, 0.0f, (float) paperImage->width, (float) paperImage->height };
        const RectBounds destination { 0.0f, 0.0f, (float) output.width, (float) output.height };
        blitScaledRgba (output, *paperImage, source, destination, 4);
        colorizeDuotone (output, settings.backgroundPaperColor, settings.backgroundPaperTintStrength * 0.75f);
    }
    else
    {
        // Also the fallback for a paper that could not be loaded: the output must not keep the photograph.
        output.fill (settings.backgroundColor);
    }

    output.multiplyAlpha (input);
    colorizeDuotone (output, settings.canvasColor, settings.edgeCanvasTexture);
}

namespace
{
    // Decoding the atlas costs more than drawing all the dabs of a preview, so the decoded
    // pixels are kept (as plain bytes: nothing with a leak detector outlives main); each
    // render still gets a sheet and an image of its own.
    struct DecodedAtlas
    {
        std::vector<uint8_t> pixels;
        int width = 0, height = 0;
        juce::String description;
    };

    std::mutex decodedAtlasMutex;
    DecodedAtlas decodedAtlas;

    /** The decoded atlas, read on the first call; empty pixels when it could not be read.
        The caller holds decodedAtlasMutex. */
    const DecodedAtlas& decodeBrushAtlas()
    {
        if (decodedAtlas.pixels.empty())
        {
            auto image = loadArchiveRgbaImage (atlasGroup, atlasImageName);
            juce::MemoryBlock block;
            if (image.get() != nullptr && image->pixels != nullptr
                && readArchiveItemBlock (atlasGroup, atlasDescriptionName, block))
            {
                decodedAtlas.pixels.assign (image->pixels, image->pixels + (size_t) image->width * (size_t) image->height * 4);
                decodedAtlas.width = image->width;
                decodedAtlas.height = image->height;
                decodedAtlas.description = block.toString();
            }
        }
        return decodedAtlas;
    }
}

void WatercolorRender::startDecodingBrushAtlas()
{
    try
    {
        // Made after decodedAtlas, so destroyed (waiting for the decode) before it at exit.
        static std::future<void> early = std::async (std::launch::async, []
        {
            const std::lock_guard<std::mutex> lock (decodedAtlasMutex);
            decodeBrushAtlas();
        });
    }
    catch (const std::system_error&)
    {
        // No thread to spare: the first render decodes it.
    }
}

bool WatercolorRender::loadBrushAtlas (SpriteSheet& sheet)
{
    const std::lock_guard<std::mutex> lock (decodedAtlasMutex);
    const auto& decoded = decodeBrushAtlas();
    if (decoded.pixels.empty())
        return false;

    auto* image = new SxImageRgbaBytes (decoded.width, decoded.height, SxImageRgbaBytes::uninitialised);
    if (image->pixels == nullptr)
    {
        image->release();
        return false;
    }
    std::copy (decoded.pixels.begin(), decoded.pixels.end(), image->pixels);
    sheet.loadFrames (image, decoded.description, 1.0f);
    return sheet.getNumFrames() > 0;
}

WatercolorRender::DabList WatercolorRender::makeDabs (const SpriteSheet& sheet, const WatercolorSettings& settings,
                                                      float renderScale, int width, int height)
{
    DabList dabs;
    setEffectRandomSeed (PixelMath::truncSaturated (settings.mVariation * 1000.0f));

    effectRandomFloat();   // the first number is not used
    const float u = renderScale * (settings.paintSize * 275.0f + 100.0f);
    const float d = sheet.getMinFittedSide ({ u, u });
    const int frameCount = sheet.getNumFrames();

    const float f = settings.paintFill * 1.25f + 1.3f;
    const float rowsF = (float) height / d * f;
    const float columnsF = (float) width / d * f;
    // Zero rows or columns (an image under one grid cell) would divide by zero below; a
    // sheet without frames has nothing to draw; a non-finite size is no grid.
    if (frameCount == 0 || ! std::isfinite (rowsF) || ! std::isfinite (columnsF)
        || rowsF < 1.0f || columnsF < 1.0f || (rowsF + 2.0f) * (columnsF + 2.0f) > (float) maxDabs)
        return dabs;

    const int rows = (int) rowsF;
    const int columns = (int) columnsF;
    const float sy = (float) height / (float) rows;
    const float sx = (float) width / (float) columns;
    const float v = settings.mVariation;

    dabs.reserve ((size_t) (rows + 2) * (size_t) (columns + 2));
    for (int i = 0; i <= rows + 1; ++i)
    {
        const float y0 = (float) (int) ((float) i * sy);
        for (int j = 0; j <= columns + 1; ++j)
        {
            const float r1 = effectRandomFloat();
            const float t = (r1 * 1.25f + 0.25f) * v;
            const float size = (t + (1.0f - v)) * u;
            const float o = -0.5f * size;
            const float r2 = effectRandomFloat();
            const float r3 = effectRandomFloat();

            auto dab = std::make_unique<Sprite>();
            dab->setUserValue (0.0f);
            const int k = std::min ((int) (effectRandomFloat() * (float) frameCount), frameCount - 1);
            dab->setFrame (sheet, k);
            const auto fitted = sheet.fitFrameSize (k, { size, size });
            dab->setSize (fitted.x, fitted.y);

            const int x = (int) ((float) (int) ((float) j * sx) + r2 * size + o);
            const int y = (int) (r3 * size + o + y0);
            dab->setPosition ((float) x - fitted.x * 0.5f, (float) y - fitted.y * 0.5f);

            dab->setRotation ((float) ((double) effectRandomFloat() * 6.283185307179586));
            dab->setOpacity (1.0f);
            dabs.push_back (std::move (dab));
        }
    }

    const int n = (int) dabs.size();
    for (int i = 0; i < n; ++i)
    {
        const int k = std::min ((int) (effectRandomFloat() * (float) n), n - 1);
        std::swap (dabs[(size_t) i], dabs[(size_t) k]);
    }
    return dabs;
}

bool WatercolorRender::paintDabLayer (SxImageRgbaBytes& dabLayer, SpriteSheet& sheet, const DabList& dabs, float hueShift)
{
    std::unique_ptr<SpriteRendererMultiplyBrush> renderer;
    if (! dabs.empty())
    {
        SpriteSheetList sheets;
        sheets.push_back (&sheet);
        sheets.equaliseSizes();
        renderer = std::make_unique<SpriteRendererMultiplyBrush> (sheets);
    }
    return paintDabLayer (dabLayer, renderer.get(), dabs, hueShift);
}

bool WatercolorRender::paintDabLayer (SxImageRgbaBytes& dabLayer, SpriteRenderer* renderer, const DabList& dabs, float hueShift)
{
    dabLayer.fill (PixelMath::makeWord (255, 255, 255, 255));

    bool drawn = true;
    if (! dabs.empty() && renderer != nullptr)
    {
        std::vector<Sprite*> list;
        list.reserve (dabs.size());
        for (const auto& dab : dabs)
            list.push_back (dab.get());

        // The dab layer is its own canvas: white, multiplied, read back straight.
        SpriteRenderer::PassOptions options;
        options.canvas = &dabLayer;
        drawn = renderer->render (dabLayer, list, options);
    }

    if (hueShift != 0.0f)
        shiftHue (dabLayer, dabLayer, hueShift * 0.01f);
    return drawn;
}

uint32_t WatercolorRender::inkColourWord (const WatercolorSettings& settings) noexcept
{
    // The lowest byte of the truncation, as stored presets expect; out-of-range values no
    // longer convert with undefined behaviour.
    const auto alpha = (uint8_t) (uint32_t) PixelMath::truncSaturated (settings.sepiaStrength * 255.0f);
    const auto ink = settings.sepiaColor;
    return PixelMath::makeWord (alpha, PixelMath::wordRed (ink), PixelMath::wordGreen (ink), PixelMath::wordBlue (ink));
}

//==============================================================================
SxRef<SxImageAlphaByte> StylizedWatercolor::startPainting (RenderParameters& params)
{
    Layer::render (params);

    auto* output = getOutputImage();
    if (params.image == nullptr || output == nullptr || output->pixels == nullptr)
        return {};

    loadPaperAndBorderImages (caches, settings, params.renderScale);
    WatercolorRender::stageDone ("paper and border");
    output->copyPixelsFrom (*params.image);

    auto workingGray = WatercolorInkOutline::makeGray (*output);
    WatercolorRender::stageDone ("input copy and working grey");
    buildPaintMask (*workingGray, settings, maskData, params);
    WatercolorRender::stageDone ("paint mask");
    return workingGray;
}

void StylizedWatercolor::drawDabLayer (const RenderParameters& params, float hueShift)
{
    const auto& input = *params.image;
    // paintDabLayer fills it white first.
    caches.dabLayer = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (input.width, input.height, SxImageRgbaBytes::uninitialised));

    EffectRandom generator;
    const EffectRandom::ScopedUse useGenerator (generator);

    const auto dabs = WatercolorRender::makeDabs (dabPainter.getAtlas(), settings, params.renderScale, input.width, input.height);
    WatercolorRender::stageDone ("atlas and dab grid");
    dabPainter.paint (*caches.dabLayer, dabs, hueShift);
    WatercolorRender::stageDone (hueShift != 0.0f ? "GPU dabs and hue shift" : "GPU dabs");
}

void StylizedWatercolor::finishPainting (RenderParameters& params)
{
    auto& output = *getOutputImage();
    if (caches.inkOutlineMask.get() == nullptr)
    {
        computeInkOutlineMask (caches, settings, params);
        WatercolorRender::stageDone ("ink outline");
    }
    if (caches.inkOutlineMask.get() != nullptr)
        tintThroughMask (output, *caches.inkOutlineMask, WatercolorRender::inkColourWord (settings));
    WatercolorRender::stageDone ("ink tint");

    if (settings.overallStrength != 1.0f)
        output.mixWith (*params.image, nullptr, 1.0f - settings.overallStrength);
    WatercolorRender::stageDone ("final mix");
}

void StylizedWatercolor::render (RenderParameters& params)
{
    const juce::ScopedLock brushLock (brushRenderLock);
    auto workingGray = startPainting (params);
    if (workingGray.get() == nullptr)
        return;
    auto& output = *getOutputImage();

    WatercolorRender::layBackground (output, *params.image, settings, caches.paperImage.get());
    WatercolorRender::stageDone ("background");
    drawDabLayer (params, settings.hueShift);
    multiplyThroughMask (output, *caches.dabLayer, *workingGray, 1.0f);
    workingGray.reset();
    WatercolorRender::stageDone ("dabs through the mask");

    finishPainting (params);
}
