// Blends of two 3000 x 2000 RGBA pictures against OpenCV's element-wise operations.
#include "BlendModes.h"
#include "ParallelRows.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace
{
    constexpr int width = 3000, height = 2000;

    /** Photograph-like content: smooth gradients in colour and alpha with a little
        grain. alphaBase 255 gives an opaque picture. */
    void fillSmooth (SxImageRgbaBytes& image, unsigned seed, int alphaBase)
    {
        std::mt19937 rng (seed);
        const double phase = seed * 0.7;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                uint8_t* p = image.getRowPointer (y) + x * 4;
                const int grain = (int) (rng() % 9) - 4;
                auto wave = [&] (double v) { return std::clamp ((int) (127.5 + 127.0 * std::sin (v + phase)) + grain, 0, 255); };
                p[0] = (uint8_t) (alphaBase == 255 ? 255 : std::clamp (alphaBase + wave (x * 0.002 - y * 0.003) / 2, 0, 255));
                p[1] = (uint8_t) wave (x * 0.003 + y * 0.001);
                p[2] = (uint8_t) wave (y * 0.004 + 1.0);
                p[3] = (uint8_t) wave ((x + y) * 0.002);
            }
    }

    /** The same bytes as a 4-channel matrix for OpenCV. */
    cv::Mat asMat (const SxImageRgbaBytes& image)
    {
        return cv::Mat (height, width, CV_8UC4, image.pixels).clone();
    }

    struct Pictures
    {
        Pictures()
        {
            fillSmooth (backdrop, 1, 255);
            fillSmooth (source, 2, 100);
            std::memset (mask.pixels, 180, (size_t) width * height);
        }
        SxImageRgbaBytes backdrop { width, height }, source { width, height }, output { width, height };
        SxImageAlphaByte mask { width, height };
    };

    Pictures& pictures()
    {
        static Pictures p;
        return p;
    }

    struct CvPictures
    {
        cv::Mat a = asMat (pictures().backdrop), b = asMat (pictures().source), out;
    };

    void setItems (benchmark::State& state) { state.SetItemsProcessed (state.iterations() * width * height); }

    template <typename Blend>
    void runBlend (benchmark::State& state, Blend blend)
    {
        auto& p = pictures();
        for (auto _ : state)
            blend (p.output, p.backdrop, p.source);
        setItems (state);
    }
}

static void BM_Multiply (benchmark::State& s)      { runBlend (s, [] (auto& o, auto& b, auto& src) { blendMultiply (o, b, src); }); }
static void BM_Darken (benchmark::State& s)        { runBlend (s, [] (auto& o, auto& b, auto& src) { blendDarken (o, b, src); }); }
static void BM_Lighten (benchmark::State& s)       { runBlend (s, [] (auto& o, auto& b, auto& src) { o.copyPixelsFrom (b); blendLighten (o, b, src, 1.0f); }); }
static void BM_Screen (benchmark::State& s)        { runBlend (s, [] (auto& o, auto& b, auto& src) { blendScreen (o, b, src); }); }
static void BM_Overlay (benchmark::State& s)       { runBlend (s, [] (auto& o, auto& b, auto& src) { blendOverlay (o, b, src); }); }
static void BM_SoftLight (benchmark::State& s)     { runBlend (s, [] (auto& o, auto& b, auto& src) { blendSoftLight (o, b, src); }); }
static void BM_ColorBurn (benchmark::State& s)     { runBlend (s, [] (auto& o, auto& b, auto& src) { blendColorBurn (o, b, src); }); }
static void BM_DodgeBurnMix (benchmark::State& s)  { runBlend (s, [] (auto& o, auto& b, auto& src) { blendDodgeBurnMix (o, b, src); }); }

static void BM_MultiplyOneThread (benchmark::State& s)
{
    ParallelRows::setThreadLimit (1);
    runBlend (s, [] (auto& o, auto& b, auto& src) { blendMultiply (o, b, src); });
    ParallelRows::setThreadLimit (0);
}

static void BM_MultiplyThroughMask (benchmark::State& state)
{
    auto& p = pictures();
    for (auto _ : state)
    {
        p.output.copyPixelsFrom (p.backdrop);
        multiplyThroughMask (p.output, p.source, p.mask, 0.8f);
    }
    setItems (state);
}

static void BM_CopyOnly (benchmark::State& state)
{
    auto& p = pictures();
    for (auto _ : state)
        p.output.copyPixelsFrom (p.backdrop);
    setItems (state);
}

static void BM_CvMultiply (benchmark::State& state)
{
    CvPictures p;
    for (auto _ : state)
        cv::multiply (p.a, p.b, p.out, 1.0 / 255.0);
    setItems (state);
}

static void BM_CvMin (benchmark::State& state)
{
    CvPictures p;
    for (auto _ : state)
        cv::min (p.a, p.b, p.out);
    setItems (state);
}

static void BM_CvMax (benchmark::State& state)
{
    CvPictures p;
    for (auto _ : state)
        cv::max (p.a, p.b, p.out);
    setItems (state);
}

static void BM_CvAddWeighted (benchmark::State& state)
{
    CvPictures p;
    for (auto _ : state)
        cv::addWeighted (p.a, 0.3, p.b, 0.7, 0.0, p.out);
    setItems (state);
}

BENCHMARK (BM_Multiply)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_MultiplyOneThread)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvMultiply)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_Darken)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvMin)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_Lighten)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvMax)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_MultiplyThroughMask)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvAddWeighted)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CopyOnly)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_Screen)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_Overlay)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_SoftLight)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_ColorBurn)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_DodgeBurnMix)->Unit (benchmark::kMillisecond)->UseRealTime();
