// Colour conversions on a 3000 x 2000 picture against OpenCV's cvtColor.
#include "ColourOperations.h"
#include "ParallelRows.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <random>

namespace
{
    constexpr int width = 3000, height = 2000;

    /** A photograph-like picture: smooth colour gradients with a little grain, so that
        branches see the coherence of real images rather than pure noise. */
    SxImageRgbaBytes& picture()
    {
        static SxImageRgbaBytes image (width, height);
        static const bool filled = []
        {
            std::mt19937 rng (1);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                {
                    uint8_t* p = image.getRowPointer (y) + x * 4;
                    const int grain = (int) (rng() % 9) - 4;
                    p[0] = 255;
                    p[1] = (uint8_t) std::clamp ((int) (127.5 + 127.0 * std::sin (x * 0.003 + y * 0.001)) + grain, 0, 255);
                    p[2] = (uint8_t) std::clamp ((int) (127.5 + 127.0 * std::sin (y * 0.004 + 1.0)) + grain, 0, 255);
                    p[3] = (uint8_t) std::clamp ((int) (127.5 + 127.0 * std::cos ((x + y) * 0.002)) + grain, 0, 255);
                }
            return true;
        }();
        (void) filled;
        return image;
    }

    /** The same picture as a packed RGB matrix. */
    cv::Mat cvPicture()
    {
        const auto& image = picture();
        cv::Mat m (height, width, CV_8UC3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const uint8_t* p = image.getRowPointer (y) + x * 4;
                m.at<cv::Vec3b> (y, x) = cv::Vec3b (p[1], p[2], p[3]);
            }
        return m;
    }

    void setItems (benchmark::State& state) { state.SetItemsProcessed (state.iterations() * width * height); }
}

static void BM_RgbToHslPerPixel (benchmark::State& state)
{
    SxImageRgbaBytes image (picture());
    for (auto _ : state)
    {
        uint8_t* p = image.pixels;
        for (size_t i = 0; i < (size_t) width * height; ++i, p += 4)
            rgbToHsl (p);
        benchmark::ClobberMemory();
    }
    setItems (state);
}

static void BM_CvRgbToHls (benchmark::State& state)
{
    cv::Mat src = cvPicture(), dst;
    for (auto _ : state)
        cv::cvtColor (src, dst, cv::COLOR_RGB2HLS_FULL);
    setItems (state);
}

static void BM_ShiftHue (benchmark::State& state)
{
    SxImageRgbaBytes source (picture()), destination (width, height);
    for (auto _ : state)
        shiftHue (source, destination, 0.2f);
    setItems (state);
}

static void BM_ShiftHueOneThread (benchmark::State& state)
{
    SxImageRgbaBytes source (picture()), destination (width, height);
    ParallelRows::setThreadLimit (1);
    for (auto _ : state)
        shiftHue (source, destination, 0.2f);
    ParallelRows::setThreadLimit (0);
    setItems (state);
}

static void BM_AdjustSaturation (benchmark::State& state)
{
    SxImageRgbaBytes source (picture()), destination (width, height);
    for (auto _ : state)
        adjustHueSaturationLightness (source, destination, 0.5f);
    setItems (state);
}

static void BM_CvRgbToHlsAndBack (benchmark::State& state)
{
    cv::Mat src = cvPicture(), hls, dst;
    for (auto _ : state)
    {
        cv::cvtColor (src, hls, cv::COLOR_RGB2HLS_FULL);
        cv::cvtColor (hls, dst, cv::COLOR_HLS2RGB_FULL);
    }
    setItems (state);
}

static void BM_RgbToLabPerPixel (benchmark::State& state)
{
    const SxImageRgbaBytes& image = picture();
    float record[4] {};
    for (auto _ : state)
    {
        const uint8_t* p = image.pixels;
        for (size_t i = 0; i < (size_t) width * height; ++i, p += 4)
        {
            rgbToLab ((uint32_t) p[3] << 24 | (uint32_t) p[2] << 16 | (uint32_t) p[1] << 8 | p[0], record);
            benchmark::DoNotOptimize (record);
        }
    }
    setItems (state);
}

static void BM_CvRgbToLab (benchmark::State& state)
{
    cv::Mat src = cvPicture(), dst;
    for (auto _ : state)
        cv::cvtColor (src, dst, cv::COLOR_RGB2Lab);
    setItems (state);
}

static void BM_CvRgbToLabFloat (benchmark::State& state)
{
    cv::Mat src, dst;
    cvPicture().convertTo (src, CV_32FC3, 1.0 / 255.0);
    for (auto _ : state)
        cv::cvtColor (src, dst, cv::COLOR_RGB2Lab);
    setItems (state);
}

static void BM_ColorizeDuotone (benchmark::State& state)
{
    SxImageRgbaBytes image (picture());
    for (auto _ : state)
        colorizeDuotone (image, 0x3080C0FF, 0.5f);
    setItems (state);
}

BENCHMARK (BM_RgbToHslPerPixel)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvRgbToHls)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_ShiftHue)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_ShiftHueOneThread)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_AdjustSaturation)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvRgbToHlsAndBack)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_RgbToLabPerPixel)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvRgbToLab)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_CvRgbToLabFloat)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (BM_ColorizeDuotone)->Unit (benchmark::kMillisecond)->UseRealTime();
