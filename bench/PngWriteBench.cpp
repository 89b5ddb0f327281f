// Writing a 12 MP painting as PNG: libpng's own writer on one thread (default level), against
// the writer that deflates row strips on all cores (and the same on one thread). The picture
// is the generated test scene with a fine grain, so that it compresses like a painting
// rather than like flat colour; file_MB is the size written.

#include "ParallelDeflate.h"
#include "PngCodec.h"
#include "SxImageRgbaBytes.h"
#include "TestScene.h"

#include <benchmark/benchmark.h>

namespace
{
    PlatformImage makePainting (int width, int height)
    {
        auto scene = sxtest::makeScene (width, height);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = scene.getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                const uint32_t h = ((uint32_t) x * 73856093u ^ (uint32_t) y * 19349663u) * 2654435761u;
                for (int c = 1; c < 4; ++c)
                    p[c] = (uint8_t) std::clamp ((int) p[c] + (int) ((h >> (8 * c)) & 15) - 8, 0, 255);
                p[0] = 255;
            }
        }
        return scene.createPlatformImage();
    }

    void writePng (benchmark::State& state)
    {
        static const auto painting = makePainting (4000, 3000);
        const int threads = (int) state.range (0);
        size_t bytes = 0;
        for (auto _ : state)
        {
            juce::MemoryOutputStream out;
            if (! PngCodec::encode (painting, true, out, threads))
                state.SkipWithError ("the PNG was not written");
            bytes = out.getDataSize();
        }
        state.counters["file_MB"] = (double) bytes / 1.0e6;
    }

    /** The image data alone, by the strip writer on the given number of threads. */
    void deflateStrips (benchmark::State& state)
    {
        static const auto painting = makePainting (4000, 3000);
        std::vector<const uint8_t*> rows;
        for (int y = 0; y < painting.height; ++y)
            rows.push_back (painting.getRow (y));
        size_t bytes = 0;
        for (auto _ : state)
            bytes = ParallelDeflate::compressPngRows (rows.data(), painting.height, (size_t) painting.width * 4, 4, 6,
                                                      (int) state.range (0)).size();
        state.counters["data_MB"] = (double) bytes / 1.0e6;
    }
}

// threads: 1 = libpng's writer on one thread; 0 = strips on all cores.
BENCHMARK (writePng)->ArgName ("threads")->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
// threads: 1 = the strips one after the other; 0 = all cores.
BENCHMARK (deflateStrips)->ArgName ("threads")->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
