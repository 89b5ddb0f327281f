#pragma once

#include "Sprite.h"
#include "SpriteRenderer.h"
#include "SpriteSheet.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxSmartPtr.h"
#include "WatercolorSettings.h"

#include <memory>
#include <vector>

/** The steps of the stylized watercolour render that belong to the render itself: the
    background, the grid of brush dabs and their GPU pass, and the final mixes. The paint
    mask, the ink outline and the paper come from the effect's own stages.

    Every random number comes from the effect generator (setEffectRandomSeed /
    effectRandomFloat), so the caller makes its EffectRandom current first.
*/
namespace WatercolorRender
{
    using DabList = std::vector<std::unique_ptr<Sprite>>;

    /** Lays the paper (scaled over the whole output and tinted) or the plain colour, keeps
        the input's transparency, then tones the canvas. A paper background without a paper
        image falls back to the plain colour, so the output never keeps stale pixels. */
    void layBackground (SxImageRgbaBytes& output, const SxImageRgbaBytes& input,
                        const WatercolorSettings& settings, const SxImageRgbaBytes* paperImage);

    /** Reads the brush atlas and its frame description from the resource archive into sheet.
        Returns false (sheet without frames) when either item is missing. */
    bool loadBrushAtlas (SpriteSheet& sheet);

    /** Starts decoding the brush atlas on a thread of its own, so that the first render
        finds it ready (the decode takes one core for about a tenth of a second). Later
        calls do nothing. */
    void startDecodingBrushAtlas();

    /** Seeds the effect generator from the variation and lays out the dab grid for a
        width x height image at renderScale, shuffled. No dab when the sheet has no frame or
        the image is smaller than one grid cell. */
    DabList makeDabs (const SpriteSheet& sheet, const WatercolorSettings& settings,
                      float renderScale, int width, int height);

    /** A new opaque white dab layer with the dabs multiplied into it on the GPU, then
        hue-shifted. Without a GPU the layer stays white (no paint) and false is returned. */
    bool paintDabLayer (SxImageRgbaBytes& dabLayer, SpriteSheet& sheet, const DabList& dabs, float hueShift);

    /** The same with a renderer made for the sheet beforehand (DabPainter keeps one); a null
        renderer draws nothing, which is right only for an empty dab list. */
    bool paintDabLayer (SxImageRgbaBytes& dabLayer, SpriteRenderer* renderer, const DabList& dabs, float hueShift);

    /** The ink colour word: alpha from the ink strength, colour from sepiaColor. */
    uint32_t inkColourWord (const WatercolorSettings& settings) noexcept;

    /** Told the name of each stage of a watercolour render as it ends, on the rendering
        thread; the timing harness uses it. None by default. */
    using StageObserver = void (*) (const char* stage);
    void setStageObserver (StageObserver observer) noexcept;
    /** Reports the end of a stage to the observer, if there is one. */
    void stageDone (const char* stage) noexcept;
}
