// Reduction of a 6000 x 4000 photograph to the 1536 x 1024 working size: the scaled colour
// copy against OpenCV's resize. Arg 1 = one thread, 0 = all cores (for both libraries).
#include "ParallelRows.h"
#include "Resampling.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <memory>
#include <optional>
#include <random>

namespace
{
    constexpr int srcW = 6000, srcH = 4000, dstW = 1536, dstH = 1024;

    const SxImageRgbaBytes& photo()
    {
        static const auto image = []
        {
            auto img = std::make_unique<SxImageRgbaBytes> (srcW, srcH);
            std::mt19937 rng (42);
            for (size_t i = 0; i < (size_t) srcW * srcH * 4; ++i)
                img->pixels[i] = (uint8_t) (rng() >> 24);
            return img;
        }();
        return *image;
    }

    void runOurs (benchmark::State& state, int mode)
    {
        std::optional<ParallelRows::ScopedThreadLimit> limit;
        if (state.range (0) == 1)
            limit.emplace (1);
        const auto& src = photo();
        SxImageRgbaBytes dst (dstW, dstH);
        for (auto _ : state)
        {
            blitScaledRgba (dst, src, { 0, 0, srcW - 1, srcH - 1 }, { 0, 0, dstW - 1, dstH - 1 }, mode);
            benchmark::DoNotOptimize (dst.pixels);
        }
    }

    void runOpenCv (benchmark::State& state, int interpolation)
    {
        const int previous = cv::getNumThreads();
        if (state.range (0) == 1)
            cv::setNumThreads (1);
        const auto& src = photo();
        const cv::Mat in (srcH, srcW, CV_8UC4, src.pixels);
        cv::Mat out (dstH, dstW, CV_8UC4);
        for (auto _ : state)
        {
            cv::resize (in, out, cv::Size (dstW, dstH), 0, 0, interpolation);
            benchmark::DoNotOptimize (out.data);
        }
        cv::setNumThreads (previous);
    }
}

static void BM_BlitScaledRgbaBilinear (benchmark::State& s) { runOurs (s, 1); }
static void BM_BlitScaledRgbaBox (benchmark::State& s) { runOurs (s, 3); }
static void BM_CvResizeLinear (benchmark::State& s) { runOpenCv (s, cv::INTER_LINEAR); }
static void BM_CvResizeArea (benchmark::State& s) { runOpenCv (s, cv::INTER_AREA); }

BENCHMARK (BM_BlitScaledRgbaBilinear)->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvResizeLinear)->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_BlitScaledRgbaBox)->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvResizeArea)->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond)->UseRealTime();
