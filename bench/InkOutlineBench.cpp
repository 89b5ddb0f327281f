#include "InkOutlineAndPaper.h"
#include "SxImageAlphaByte.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

namespace
{
    /** A photo-like gray picture: gradients, discs and fine noise. */
    SxImageAlphaByte makePicture (int width, int height)
    {
        SxImageAlphaByte image (width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const float wave = 60.0f * std::sin ((float) x * 0.004f) * std::cos ((float) y * 0.006f);
                const bool disc = std::hypot ((float) (x % 400) - 200.0f, (float) (y % 400) - 200.0f) < 120.0f;
                const uint32_t h = ((uint32_t) x * 73856093u ^ (uint32_t) y * 19349663u) * 2654435761u;
                image.getRowPointer (y)[x] = (uint8_t) std::clamp (110.0f + wave + (disc ? 70.0f : 0.0f) + (float) (h >> 28), 0.0f, 255.0f);
            }
        return image;
    }

    void BM_MakeInkOutline (benchmark::State& state)
    {
        const auto picture = makePicture (3000, 2000);
        SxImageAlphaByte source (picture), destination (picture);
        const float detail = (float) state.range (0) / 100.0f;
        for (auto _ : state)
        {
            std::memcpy (source.pixels, picture.pixels, (size_t) 3000 * 2000);
            makeInkOutline (source, destination, 0.5f, detail, 1.0f);
            benchmark::DoNotOptimize (destination.pixels);
        }
        state.SetItemsProcessed (state.iterations() * 3000 * 2000);
    }

    void BM_ApplyFibersTextureWithoutFibres (benchmark::State& state)
    {
        const auto picture = makePicture (3000, 2000);
        SxImageAlphaByte image (picture);
        for (auto _ : state)
        {
            std::memcpy (image.pixels, picture.pixels, (size_t) 3000 * 2000);
            applyFibersTexture (image, "no such group", 1.3f);
            benchmark::DoNotOptimize (image.pixels);
        }
        state.SetItemsProcessed (state.iterations() * 3000 * 2000);
    }
}

// detail 0, 0.5 and 1 (median radius 3, 7, 12) and the doubled second run (21).
BENCHMARK (BM_MakeInkOutline)->Arg (0)->Arg (50)->Arg (100)->Arg (200)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_ApplyFibersTextureWithoutFibres)->Unit (benchmark::kMillisecond)->UseRealTime();
