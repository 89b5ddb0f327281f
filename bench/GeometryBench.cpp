#include "Geometry.h"
#include "SxImageAlphaByte.h"

#include <benchmark/benchmark.h>

namespace
{
    SxPoint pt (float x, float y) { SxPoint p; p.x = x; p.y = y; return p; }

    // A mask polygon inside a 3000 x 2000 image against the same polygon with one vertex
    // a billion rows above it: the far vertex must not cost a walk over every row.
    void fillPolygonInside (benchmark::State& state)
    {
        SxImageAlphaByte img (3000, 2000);
        const std::vector<SxPoint> poly { pt (100, 100), pt (2900, 300), pt (2500, 1900), pt (200, 1500) };
        for (auto _ : state)
            fillPolygon (poly, img, 255);
    }

    void fillPolygonFarVertex (benchmark::State& state)
    {
        SxImageAlphaByte img (3000, 2000);
        const std::vector<SxPoint> poly { pt (100, -1.0e9f), pt (2900, 300), pt (2500, 1900), pt (200, 1500) };
        for (auto _ : state)
            fillPolygon (poly, img, 255);
    }
}

BENCHMARK (fillPolygonInside)->Unit (benchmark::kMillisecond);
BENCHMARK (fillPolygonFarVertex)->Unit (benchmark::kMillisecond);
