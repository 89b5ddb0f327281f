#include "ParallelRows.h"
#include "SxImageRgbaBytes.h"
#include "TestScene.h"
#include "WatercolorInkOutline.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

// computeInkOutlineMask on a large photo and on a preview-sized one, with and without a
// border; arg 1 = thread cap (1 = single core, 0 = all cores).

namespace
{
    SxImageRgbaBytes makeBorder()
    {
        SxImageRgbaBytes image (600, 400);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 600; ++x)
            {
                const bool frame = x < 50 || y < 40 || x >= 550 || y >= 360;
                uint8_t* p = image.getRowPointer (y) + x * 4;
                p[0] = 255; p[1] = p[2] = p[3] = frame ? 30 : 255;
            }
        return image;
    }

    void BM_ComputeInkOutlineMask (benchmark::State& state)
    {
        auto input = sxtest::makeScene ((int) state.range (0), (int) state.range (1));
        WatercolorSettings settings;
        WatercolorCaches caches;
        if (state.range (3) != 0)
            caches.borderImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (makeBorder()));
        RenderParameters parameters;
        parameters.image = &input;
        parameters.renderScale = (float) std::max (input.width, input.height) / 1024.0f;

        ParallelRows::ScopedThreadLimit limit ((int) state.range (2));
        for (auto _ : state)
        {
            computeInkOutlineMask (caches, settings, parameters);
            benchmark::DoNotOptimize (caches.inkOutlineMask.get());
        }
        state.SetItemsProcessed (state.iterations() * input.width * input.height);
    }
}

BENCHMARK (BM_ComputeInkOutlineMask)
    ->ArgNames ({ "w", "h", "threads", "border" })
    ->Args ({ 6000, 4000, 1, 0 })->Args ({ 6000, 4000, 0, 0 })->Args ({ 6000, 4000, 0, 1 })
    ->Args ({ 1301, 975, 1, 0 })->Args ({ 1301, 975, 0, 0 })->Args ({ 1301, 975, 0, 1 })
    ->Unit (benchmark::kMillisecond)->UseRealTime();
