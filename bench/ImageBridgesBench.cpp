// Crossings between colour buffers and framework images at camera size (12 megapixels).

#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int benchWidth = 4000, benchHeight = 3000;

    SxRef<SxImageRgbaBytes> makeBuffer()
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (benchWidth, benchHeight));
        juce::Random random (7);
        for (size_t i = 0; i < (size_t) benchWidth * benchHeight * 4; ++i)
            image->pixels[i] = (uint8_t) random.nextInt (256);
        return image;
    }

    void toImage (benchmark::State& state)
    {
        auto buffer = makeBuffer();
        for (auto _ : state)
            benchmark::DoNotOptimize (buffer->toImage());
    }

    void copyToImage (benchmark::State& state)
    {
        auto buffer = makeBuffer();
        juce::Image target (juce::Image::ARGB, benchWidth, benchHeight, false, juce::SoftwareImageType());
        for (auto _ : state)
        {
            RectBounds all;
            buffer->copyToImage (target, all, false);
        }
    }

    void fromImage (benchmark::State& state)
    {
        auto buffer = makeBuffer();
        const auto image = buffer->toImage();
        for (auto _ : state)
            SxRef<SxImageRgbaBytes> back (new SxImageRgbaBytes (image));
    }
}

BENCHMARK (toImage)->Unit (benchmark::kMillisecond);
BENCHMARK (copyToImage)->Unit (benchmark::kMillisecond);
BENCHMARK (fromImage)->Unit (benchmark::kMillisecond);
