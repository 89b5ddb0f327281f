// Blends of two 3000 x 2000 RGBA pictures against OpenCV's element-wise operations.
#include "BlendModes.h"
#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>

#include <cstring>
#include <random>

namespace
{
    constexpr int width = 3000, height = 2000;

    void fillRandom (SxImageRgbaBytes& image, unsigned seed)
    {
        std::mt19937 rng (seed);
        for (size_t i = 0; i < (size_t) width * height * 4; ++i)
            image.pixels[i] = (uint8_t) rng();
    }

    struct Pictures
    {
        Pictures()
        {
            fillRandom (backdrop, 1);
            fillRandom (source, 2);
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
        CvPictures()
        {
            cv::randu (a, 0, 256);
            cv::randu (b, 0, 256);
        }
        cv::Mat a { height, width, CV_8UC4 }, b { height, width, CV_8UC4 }, out;
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
