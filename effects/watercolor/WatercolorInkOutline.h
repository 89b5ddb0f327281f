#pragma once

#include "RenderParameters.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxSmartPtr.h"
#include "WatercolorCaches.h"
#include "WatercolorSettings.h"

/** The ink drawing tinted over a watercolour painting.

    The most expensive stage of a render (median, edges and blurs at about 3000 pixels
    on the longer side, twice with a border), so its result is cached in
    WatercolorCaches::inkOutlineMask: the render computes it only when that is null, and
    the layer releases it on every change it depends on (outline sliders, thumbnail
    choices, loads, presets, randomising, rescaling, a new border).
*/
namespace WatercolorInkOutline
{
    struct Size { int width = 0, height = 0; bool operator== (const Size&) const = default; };

    /** The size the outline is drawn at for a width x height input: the longer side
        becomes about 3000 pixels (smaller images are enlarged); a side of one pixel
        keeps the input's size. No side is ever below one pixel. */
    Size workingSize (int width, int height) noexcept;

    /** The detail value handed to the outline filter for the picture:
        1 - ((1 - outline) * 0.275 + 0.65) * outlineDetail. The border uses twice it. */
    float outlineDetail (float outline, float outlineDetail) noexcept;

    /** Screens layer into mask: m + floor((255 - m) * g / 255) for every pixel of their
        common area. Multi-core, byte-identical to one core. */
    void screenInto (SxImageAlphaByte& mask, const SxImageAlphaByte& layer);

    /** The grey (R + G + B) / 3 of every pixel of image, multi-core. */
    SxRef<SxImageAlphaByte> makeGray (const SxImageRgbaBytes& image);

    /** The ink outline of input at input's size, with the outline of border (when not
        null) and the dark-area ink fill screened in. Pure: reads no cache. An empty
        input gives an empty (0 x 0) result. */
    SxRef<SxImageAlphaByte> makeMask (const SxImageRgbaBytes& input, const WatercolorSettings& settings,
                                      const SxImageRgbaBytes* border, float renderScale);
}

/** Creates caches.inkOutlineMask from parameters.image (replacing any old one) with
    caches.borderImage as the border; the render calls it only when the mask is null.
    Without an input image the mask is released. All stages spread rows over all cores;
    the bytes do not depend on the thread count. */
void computeInkOutlineMask (WatercolorCaches& caches, const WatercolorSettings& settings,
                            const RenderParameters& parameters);
