#include "BrushDabs.h"
#include "MaskTracing.h"
#include "SxBrush.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
    SxBrush& brushOf (float diameter)
    {
        static SxBrush brush;
        brush.diameter = diameter;
        brush.softness = 0.65f;
        brush.strength = 1.0f;
        brush.buildStamp();
        return brush;
    }

    // One dab of a 100-pixel brush, as the mask brush places them along a stroke.
    void paintDab (benchmark::State& state)
    {
        auto& brush = brushOf (100.0f);
        SxImageAlphaByte mask (2000, 2000);
        float x = 500.0f;
        for (auto _ : state)
        {
            stampPaintDab (mask, nullptr, SxPoint { x, 700.0f }, 128, brush, 1.0f);
            x = x > 1500.0f ? 500.0f : x + 3.0f;
        }
    }

    void colourDabThroughHalfSizeSelection (benchmark::State& state)
    {
        auto& brush = brushOf (100.0f);
        SxImageRgbaBytes image (2000, 2000);
        SxImageAlphaByte selection (1000, 1000);
        std::fill (selection.pixels, selection.pixels + 1000 * 1000, (uint8_t) 200);
        float x = 500.0f;
        for (auto _ : state)
        {
            stampColorDab (image, &selection, SxPoint { x, 700.0f }, 0x80ff0080u, brush, 1.0f);
            x = x > 1500.0f ? 500.0f : x + 3.0f;
        }
    }

    // A wizard-sized mask with a few blobs and holes.
    void traceMask (benchmark::State& state)
    {
        const int side = (int) state.range (0);
        SxImageAlphaByte mask (side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
            {
                const float u = (float) x / (float) side, v = (float) y / (float) side;
                const float f = std::sin (u * 17.0f) * std::cos (v * 11.0f) + std::sin ((u + v) * 5.0f);
                mask.getRowPointer (y)[x] = f > 0.3f ? 200 : 0;
            }
        for (auto _ : state)
        {
            std::vector<SxBezierCurve> curves;
            traceMaskToCurves (curves, mask, 0, 25, 256);
            benchmark::DoNotOptimize (curves.data());
        }
    }
}

BENCHMARK (paintDab)->Unit (benchmark::kMicrosecond);
BENCHMARK (colourDabThroughHalfSizeSelection)->Unit (benchmark::kMicrosecond);
BENCHMARK (traceMask)->Arg (1000)->Arg (3000)->Unit (benchmark::kMillisecond);
