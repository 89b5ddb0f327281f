#include "WatercolorInkOutline.h"

#include "GrayFilters.h"
#include "InkOutlineAndPaper.h"
#include "ParallelRows.h"
#include "RectBounds.h"
#include "WatercolorPaintMask.h"
#include "Resampling.h"

#include <algorithm>
#include <cstdint>

WatercolorInkOutline::Size WatercolorInkOutline::workingSize (int width, int height) noexcept
{
    if (width <= 0 || height <= 0)
        return { std::max (0, width), std::max (0, height) };

    float factor = 1.0f;
    if (width - 1 != 0 && height - 1 != 0)
    {
        const int64_t a = (int64_t) (height - 1) * 2999 / (width - 1);
        const int64_t longSide = a < 3000 ? 3000 : (int64_t) (width - 1) * 2999 / (height - 1) + 1;
        factor = (float) longSide / (float) width;
    }
    // A very long thin picture would scale its short side to nothing.
    return { std::max (1, (int) ((float) width * factor)), std::max (1, (int) ((float) height * factor)) };
}

float WatercolorInkOutline::outlineDetail (float outline, float outlineDetail) noexcept
{
    return 1.0f - ((1.0f - outline) * 0.275f + 0.65f) * outlineDetail;
}

void WatercolorInkOutline::screenInto (SxImageAlphaByte& mask, const SxImageAlphaByte& layer)
{
    const int width = std::min (mask.width, layer.width);
    const int height = std::min (mask.height, layer.height);
    if (width <= 0 || height <= 0)
        return;

    ParallelRows::forEachBand (0, height, width, [&] (int first, int end)
    {
        for (int y = first; y < end; ++y)
        {
            uint8_t* m = mask.getRowPointer (y);
            const uint8_t* g = layer.getRowPointer (y);
            for (int x = 0; x < width; ++x)
                m[x] = (uint8_t) (m[x] + ((255 - m[x]) * g[x]) / 255);
        }
    });
}

SxRef<SxImageAlphaByte> WatercolorInkOutline::makeGray (const SxImageRgbaBytes& image)
{
    SxRef<SxImageAlphaByte> gray (new SxImageAlphaByte (0, 0));
    gray->setFromRgba (image);
    return gray;
}

SxRef<SxImageAlphaByte> WatercolorInkOutline::makeMask (const SxImageRgbaBytes& input, const WatercolorSettings& settings,
                                                        const SxImageRgbaBytes* border, float renderScale)
{
    const int width = input.width, height = input.height;
    if (width <= 0 || height <= 0 || input.pixels == nullptr)
        return SxRef<SxImageAlphaByte> (new SxImageAlphaByte (0, 0));

    const auto size = workingSize (width, height);
    // The full-size gray serves the ink fill below; the outline works on a scaled copy.
    const auto fullGray = makeGray (input);
    SxRef<SxImageAlphaByte> gray (new SxImageAlphaByte (*fullGray));
    resizeAlphaImage (*gray, size.width, size.height, 1);

    SxRef<SxImageAlphaByte> ink (new SxImageAlphaByte (*gray));
    const float scale = (float) std::max (size.width, size.height) / 3000.0f;
    const float detail = outlineDetail (settings.mOutline, settings.mOutlineDetail);
    makeInkOutline (*gray, *ink, settings.mOutline, detail, scale);

    if (border != nullptr && border->width > 0 && border->height > 0)
    {
        SxImageAlphaByte borderGray (size.width, size.height, SxImageAlphaByte::uninitialised);
        blitScaledRgbaToGray (borderGray, *border,
                              RectBounds { 0.0f, 0.0f, (float) (border->width - 1), (float) (border->height - 1) },
                              RectBounds { 0.0f, 0.0f, (float) (size.width - 1), (float) (size.height - 1) }, 1);
        makeInkOutline (borderGray, *gray, settings.mOutline, 2.0f * detail, scale);
        screenInto (*ink, *gray);
    }

    gray.reset();
    resizeAlphaImage (*ink, width, height, 1);

    auto& fill = fullGray;
    thresholdBand (*fill, 0, WatercolorPaintMask::truncateBound (settings.mOutlineThreshold * 75.0f), 255);
    blurGray (*fill, *fill, renderScale * 0.25f);
    screenInto (*ink, *fill);
    return ink;
}

void computeInkOutlineMask (WatercolorCaches& caches, const WatercolorSettings& settings,
                            const RenderParameters& parameters)
{
    if (parameters.image == nullptr)
    {
        caches.inkOutlineMask.reset();
        return;
    }
    caches.inkOutlineMask = WatercolorInkOutline::makeMask (*parameters.image, settings, caches.borderImage.get(),
                                                            parameters.renderScale);
}
