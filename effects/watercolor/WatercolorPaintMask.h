#pragma once

#include "RenderParameters.h"
#include "SelectMaskData.h"
#include "SxBezierCurve.h"
#include "SxImageAlphaByte.h"
#include "SxPoint.h"
#include "WatercolorSettings.h"

#include <vector>

/** The paint-area mask of the watercolour render: where the dabs are laid.

    Not cached: the render rebuilds it on every pass at the size of the layer input,
    from the grey of that input. 255 means paint, 0 none.
*/
namespace WatercolorPaintMask
{
    /** Half-open grey band [low, high) painted by the Color Area modes Dark, Mid and
        Light for Area Fill edge; false for the other modes. Bounds are computed in
        float and truncated:
        Dark [0, int(e * 201 + 35)), Mid [int(100 - e * 50), int(e * 50 + 100)),
        Light [int(220 - e * 200), 256). */
    bool bandLimits (int insideColor, float edge, int& low, int& high) noexcept;

    /** A grey bound computed in float, truncated; a NaN (from a damaged setting) gives 0
        and huge values stop at +-1e6, so the conversion is always defined. */
    int truncateBound (float value) noexcept;

    /** Radius of the wet-edge blur: renderScale * wetEdge * 14 (0 means no blur). */
    float wetEdgeRadius (float renderScale, float wetEdge) noexcept;

    /** Fills the mask with 0, then fills each traced outline in list order: 255 for an
        outer (positive) outline, 0 for a hole, so a later hole cuts into an earlier
        outline. Each outline is flattened with 100 steps. */
    void fillTracedOutlines (SxImageAlphaByte& mask, const std::vector<SxBezierCurve>& curves);
}

/** Samples the outline into a polygon, appended to points: one segment per node when
    closed (the last joining back to the first), one fewer when open, at least one; per
    segment t runs 0, 1/steps, ... up to 1 inclusive (steps + 1 samples). steps below 1
    counts as 1. */
void flattenBezierCurve (const SxBezierCurve& outline, std::vector<SxPoint>& points, int steps);

/** Turns mask, which holds the grey (R + G + B) / 3 of the layer input, into the
    paint-area mask in place, for settings.mInsideColor:
    0 Dark, 1 Mid, 2 Light: 255 inside the band of bandLimits, 0 outside;
    3 Full: all 255; 4 Mask (and larger): the traced outlines of maskData (all 0 without
    any); a negative value leaves the grey.
    Then, in every case, a blur of wetEdgeRadius (renderScale, mWetEdge) and the fibre
    texture of "Quenzella_Tolva_General" with amount mStrength + 0.5.
    Every pass spreads rows over all cores; the bytes do not depend on the thread count. */
void buildPaintMask (SxImageAlphaByte& mask, const WatercolorSettings& settings,
                     const SelectMaskData& maskData, const RenderParameters& parameters);
