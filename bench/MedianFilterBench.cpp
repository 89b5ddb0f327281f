// Median filter on a 3000 x 2000 gray image against cv::medianBlur (same replicated border).
// Threads: 1 = single-threaded (ours and OpenCV), 0 = all cores.
#include "MedianFilter.h"
#include "ParallelRows.h"
#include "SxImageAlphaByte.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <random>

namespace
{
    constexpr int width = 3000;
    constexpr int height = 2000;

    /** Smooth shading with grain, like a photograph's gray version. */
    const SxImageAlphaByte& photoLike()
    {
        static SxImageAlphaByte image = []
        {
            SxImageAlphaByte img (width, height);
            std::mt19937 rng (1);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const double base = 128 + 90 * std::sin (x * 0.004) * std::cos (y * 0.006);
                    img.getRowPointer (y)[x] = (uint8_t) std::clamp ((int) base + (int) (rng() % 31) - 15, 0, 255);
                }
            return img;
        }();
        return image;
    }

    void setThreads (int threads)
    {
        ParallelRows::setThreadLimit (threads);
        cv::setNumThreads (threads == 1 ? 1 : -1);
    }

    void BM_medianFilter (benchmark::State& state)
    {
        const int r = (int) state.range (0);
        setThreads ((int) state.range (1));
        SxImageAlphaByte dst (width, height);
        for (auto _ : state)
            medianFilter (photoLike(), dst, r);
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }

    void BM_cvMedianBlur (benchmark::State& state)
    {
        const int r = (int) state.range (0);
        setThreads ((int) state.range (1));
        const cv::Mat src (height, width, CV_8UC1, photoLike().pixels);
        cv::Mat dst;
        for (auto _ : state)
            cv::medianBlur (src, dst, 2 * r + 1);
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }
}

BENCHMARK (BM_medianFilter)->ArgsProduct ({ { 3, 5, 10, 12, 21 }, { 1, 0 } })->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_cvMedianBlur)->ArgsProduct ({ { 3, 5, 10, 12, 21 }, { 1, 0 } })->Unit (benchmark::kMillisecond)->UseRealTime();
