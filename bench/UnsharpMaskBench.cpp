// Unsharp mask of a 3000 x 2000 picture against OpenCV's GaussianBlur + addWeighted with the
// same standard deviation (|r| + 1 for the sampled kernel, r for the box passes).
// Args: radius x 100, threads (1 = one thread, 0 = all cores). The box path (r >= 10)
// should take the same time at every radius.
#include "ParallelRows.h"
#include "RgbaGaussianBlur.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <memory>
#include <optional>
#include <random>

namespace
{
    constexpr int width = 3000, height = 2000;
    constexpr double amount = 0.65;

    const SxImageRgbaBytes& picture()
    {
        static const auto image = []
        {
            auto img = std::make_unique<SxImageRgbaBytes> (width, height);
            std::mt19937 rng (7);
            for (size_t i = 0; i < (size_t) width * height * 4; ++i)
                img->pixels[i] = (uint8_t) (rng() >> 24);
            return img;
        }();
        return *image;
    }

    double radiusOf (const benchmark::State& state) { return (double) state.range (0) / 100.0; }
}

static void BM_UnsharpMaskRgba (benchmark::State& state)
{
    std::optional<ParallelRows::ScopedThreadLimit> limit;
    if (state.range (1) == 1)
        limit.emplace (1);
    SxImageRgbaBytes out (width, height);
    const auto& in = picture();
    for (auto _ : state)
    {
        unsharpMaskRgba (out, in, radiusOf (state), amount);
        benchmark::DoNotOptimize (out.pixels);
    }
}

static void BM_CvGaussianUnsharp (benchmark::State& state)
{
    const int previous = cv::getNumThreads();
    if (state.range (1) == 1)
        cv::setNumThreads (1);
    const double r = radiusOf (state);
    const double sigma = r >= 10.0 ? r : std::abs (r) + 1.0;
    const cv::Mat in (height, width, CV_8UC4, picture().pixels);
    cv::Mat blurred, out;
    for (auto _ : state)
    {
        cv::GaussianBlur (in, blurred, cv::Size (0, 0), sigma, sigma, cv::BORDER_REPLICATE);
        cv::addWeighted (in, 1.0 + amount, blurred, -amount, 0.0, out);
        benchmark::DoNotOptimize (out.data);
    }
    cv::setNumThreads (previous);
}

static void radii (benchmark::internal::Benchmark* b)
{
    for (int threads : { 1, 0 })
        for (int r100 : { 65, 1000, 2000, 4000 })
            b->Args ({ r100, threads });
}

BENCHMARK (BM_UnsharpMaskRgba)->Apply (radii)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvGaussianUnsharp)->Apply (radii)->Unit (benchmark::kMillisecond)->UseRealTime();
