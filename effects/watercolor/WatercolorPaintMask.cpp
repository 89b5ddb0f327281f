#include "WatercolorPaintMask.h"

#include "Geometry.h"
#include "GrayFilters.h"
#include "InkOutlineAndPaper.h"

#include <algorithm>
#include <cmath>
#include <cstring>

int WatercolorPaintMask::truncateBound (float value) noexcept
{
    if (std::isnan (value))
        return 0;
    return (int) std::clamp (value, -1.0e6f, 1.0e6f);
}

bool WatercolorPaintMask::bandLimits (int insideColor, float edge, int& low, int& high) noexcept
{
    switch (insideColor)
    {
        case WatercolorSettings::dark:  low = 0;                                  high = truncateBound (edge * 201.0f + 35.0f); return true;
        case WatercolorSettings::mid:   low = truncateBound (100.0f - edge * 50.0f); high = truncateBound (edge * 50.0f + 100.0f); return true;
        case WatercolorSettings::light: low = truncateBound (220.0f - edge * 200.0f); high = 256;                               return true;
        default: return false;
    }
}

float WatercolorPaintMask::wetEdgeRadius (float renderScale, float wetEdge) noexcept
{
    return renderScale * wetEdge * 14.0f;
}

void WatercolorPaintMask::fillTracedOutlines (SxImageAlphaByte& mask, const std::vector<SxBezierCurve>& curves)
{
    if (mask.pixels != nullptr)
        std::memset (mask.pixels, 0, (size_t) mask.width * (size_t) mask.height);

    std::vector<SxPoint> polygon;
    for (const auto& curve : curves)
    {
        polygon.clear();
        flattenBezierCurve (curve, polygon, 100);
        fillPolygon (polygon, mask, curve.positivePath ? 255 : 0);
    }
}

void flattenBezierCurve (const SxBezierCurve& outline, std::vector<SxPoint>& points, int steps)
{
    steps = std::max (1, steps);
    const int nodeCount = (int) outline.nodes.size();
    const int segments = std::max (1, outline.closed ? nodeCount : nodeCount - 1);
    const double dt = 1.0 / (double) steps;
    const double limit = 1.0 + 0.1 * dt;

    for (int i = 0; i < segments; ++i)
    {
        const auto seg = outline.getSegment (i);
        // The 0.1 dt slack keeps t = 1 despite the rounding of the running sum.
        for (double t = 0.0; t <= limit; t += dt)
        {
            SxPoint p;
            p.x = (float) (((seg.ax * t + seg.bx) * t + seg.cx) * t + (double) seg.p0.x);
            p.y = (float) (((seg.ay * t + seg.by) * t + seg.cy) * t + (double) seg.p0.y);
            points.push_back (p);
        }
    }
}

void buildPaintMask (SxImageAlphaByte& mask, const WatercolorSettings& settings,
                     const SelectMaskData& maskData, const RenderParameters& parameters)
{
    if (mask.width <= 0 || mask.height <= 0)
        return;

    const int area = settings.mInsideColor;
    int low = 0, high = 0;
    if (WatercolorPaintMask::bandLimits (area, settings.mEdge, low, high))
        thresholdBand (mask, low, high, 255);
    else if (area == WatercolorSettings::full)
        std::memset (mask.pixels, 255, (size_t) mask.width * (size_t) mask.height);
    else if (area >= WatercolorSettings::mask)
        WatercolorPaintMask::fillTracedOutlines (mask, maskData.curves);

    const float radius = WatercolorPaintMask::wetEdgeRadius (parameters.renderScale, settings.mWetEdge);
    if (radius > 0.0f)
        blurGray (mask, mask, radius);

    applyFibersTexture (mask, "Quenzella_Tolva_General", settings.mStrength + 0.5f);
}
