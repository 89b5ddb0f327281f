// One multiply-brush pass of 600 dabs, as the watercolour effects run it (the image is its
// own canvas, grey scale, one releasing pass), on a preview-sized and a full-sized image;
// and the full size forced into tiles. peak_rss_MB is the process's peak resident memory
// after the runs (the software rasteriser's textures live in it too).

#include "SpriteRendererMultiplyBrush.h"
#include "SpriteSheet.h"
#include "SpriteSheetList.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
    double peakResidentMegabytes()
    {
        rusage usage {};
        getrusage (RUSAGE_SELF, &usage);
        return (double) usage.ru_maxrss / 1024.0;
    }

    void multiplyPass (benchmark::State& state)
    {
        const int width = (int) state.range (0), height = (int) state.range (1);
        const int maxTextureSize = (int) state.range (2);

        // A 256 x 256 soft disc, colour never above alpha (R, G, B, A bytes).
        auto* atlas = new SxImageRgbaBytes (256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
            {
                const float d = std::hypot (x + 0.5f - 128.0f, y + 0.5f - 128.0f);
                const float alpha = std::clamp ((120.0f - d) / 60.0f, 0.0f, 1.0f);
                uint8_t* p = atlas->getRowPointer (y) + x * 4;
                p[0] = (uint8_t) (alpha * 180); p[1] = (uint8_t) (alpha * 120); p[2] = (uint8_t) (alpha * 90);
                p[3] = (uint8_t) (alpha * 255);
            }

        SpriteSheet sheet;
        sheet.setImage (atlas, false);
        sheet.addFrame ({ "disc", 0, 0, 255, 255 }, 0);
        SpriteSheetList sheets;
        sheets.push_back (&sheet);

        juce::Random random (1);
        std::vector<std::unique_ptr<Sprite>> owned;
        std::vector<Sprite*> sprites;
        const float side = (float) std::max (width, height) / 10.0f;

        for (int i = 0; i < 600; ++i)
        {
            auto sprite = std::make_unique<Sprite>();
            sprite->setFrame (sheet, 0);
            sprite->setSize (side * (0.5f + random.nextFloat()), side * (0.5f + random.nextFloat()));
            sprite->setPosition (random.nextFloat() * width - side * 0.5f, random.nextFloat() * height - side * 0.5f);
            sprite->setRotation (random.nextFloat() * 6.2831853f);
            sprite->setOpacity (0.2f + 0.6f * random.nextFloat());
            sprites.push_back (sprite.get());
            owned.push_back (std::move (sprite));
        }

        SxImageRgbaBytes image (width, height);

        // Context creation and the image-pass programs are once per process: not timed.
        {
            SxImageRgbaBytes small (8, 8);
            SpriteRendererMultiplyBrush warmUp (sheets);
            warmUp.render (small, sprites, true, &small, true, true, false);
        }

        bool drawn = true;

        for (auto _ : state)
        {
            state.PauseTiming();
            std::fill (image.pixels, image.pixels + (size_t) width * (size_t) height * 4, (uint8_t) 255);
            state.ResumeTiming();

            SpriteRendererMultiplyBrush renderer (sheets);
            renderer.setMaxTextureSize (maxTextureSize);
            drawn = renderer.render (image, sprites, true, &image, true, true, false) && drawn;
            benchmark::DoNotOptimize (image.pixels);
        }

        if (! drawn)
            state.SkipWithError ("the GPU pass failed");

        state.counters["peak_rss_MB"] = peakResidentMegabytes();
        state.SetItemsProcessed (state.iterations() * 600);
    }
}

// width, height, largest texture side (0: the GPU's own)
BENCHMARK (multiplyPass)->Args ({ 1301, 975, 0 })->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (3);
BENCHMARK (multiplyPass)->Args ({ 6000, 4000, 0 })->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (3);
BENCHMARK (multiplyPass)->Args ({ 6000, 4000, 4096 })->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (3);
