// Box blur and Gaussian on a 3000 x 2000 gray image; OpenCV's blur and GaussianBlur with a
// replicated border for scale. Threads: 1 = single-threaded (ours and OpenCV), 0 = all cores.
#include "GrayFilters.h"
#include "ParallelRows.h"
#include "SxImageAlphaByte.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstring>
#include <random>

namespace
{
    constexpr int width = 3000;
    constexpr int height = 2000;

    enum Content { flat, noise, photo };

    const SxImageAlphaByte& image (int content)
    {
        static SxImageAlphaByte images[3] = { SxImageAlphaByte (width, height), SxImageAlphaByte (width, height),
                                              SxImageAlphaByte (width, height) };
        static bool made = false;
        if (! made)
        {
            std::mt19937 rng (1);
            std::memset (images[flat].pixels, 140, (size_t) width * height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                {
                    images[noise].getRowPointer (y)[x] = (uint8_t) (rng() & 0xff);
                    const double base = 128 + 90 * std::sin (x * 0.004) * std::cos (y * 0.006);
                    images[photo].getRowPointer (y)[x] = (uint8_t) std::clamp ((int) base + (int) (rng() % 31) - 15, 0, 255);
                }
            made = true;
        }
        return images[content];
    }

    void setThreads (int threads)
    {
        image (flat); // made once, outside any timing
        ParallelRows::setThreadLimit (threads);
        cv::setNumThreads (threads == 1 ? 1 : -1);
    }

    void BM_boxBlurGray (benchmark::State& state)
    {
        setThreads ((int) state.range (1));
        SxImageAlphaByte dst (width, height);
        for (auto _ : state)
            boxBlurGray (image (photo), dst, (float) state.range (0));
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }

    void BM_cvBlur (benchmark::State& state)
    {
        setThreads ((int) state.range (1));
        const cv::Mat src (height, width, CV_8UC1, image (photo).pixels);
        cv::Mat dst;
        const int k = 2 * (int) (state.range (0) + 0.5f) + 1;
        for (auto _ : state)
            cv::blur (src, dst, cv::Size (k, k), cv::Point (-1, -1), cv::BORDER_REPLICATE);
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }

    void BM_blurGray (benchmark::State& state)
    {
        setThreads ((int) state.range (0));
        SxImageAlphaByte dst (width, height);
        for (auto _ : state)
            blurGray (image (photo), dst, 1.75f);
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }

    // Content: 0 flat, 1 noise, 2 photo-like.
    void BM_gaussianBlurGray (benchmark::State& state)
    {
        setThreads ((int) state.range (2));
        SxImageAlphaByte img (width, height);
        for (auto _ : state)
        {
            state.PauseTiming();
            std::memcpy (img.pixels, image ((int) state.range (1)).pixels, (size_t) width * height);
            state.ResumeTiming();
            gaussianBlurGray (img, (double) state.range (0));
        }
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }

    void BM_cvGaussianBlur (benchmark::State& state)
    {
        setThreads ((int) state.range (1));
        const cv::Mat src (height, width, CV_8UC1, image (photo).pixels);
        cv::Mat dst;
        const double r = (double) state.range (0);
        const int k = 2 * GrayFilters::gaussianHalfWidth (r) + 1;
        const double sigma = (std::fabs (r * 1.35) + 1.0) / std::sqrt (2.0 * std::log (255.0));
        for (auto _ : state)
            cv::GaussianBlur (src, dst, cv::Size (k, k), sigma, sigma, cv::BORDER_REPLICATE);
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }

    void BM_sobelMagnitudeGray (benchmark::State& state)
    {
        setThreads ((int) state.range (0));
        SxImageAlphaByte dst (width, height);
        for (auto _ : state)
            sobelMagnitudeGray (image (photo), dst);
        state.SetItemsProcessed (state.iterations() * width * height);
        setThreads (0);
    }
}

BENCHMARK (BM_boxBlurGray)->ArgsProduct ({ { 1, 3, 10, 30 }, { 1, 0 } })->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_cvBlur)->ArgsProduct ({ { 1, 3, 10, 30 }, { 1, 0 } })->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_blurGray)->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_gaussianBlurGray)->ArgsProduct ({ { 2, 10 }, { 0, 1, 2 }, { 1, 0 } })->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_cvGaussianBlur)->ArgsProduct ({ { 2, 10 }, { 1, 0 } })->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_sobelMagnitudeGray)->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
