// Stream-form reading with image-entry-sized values, and the image entry codec.
#include "SxPropertySet.h"

#include <benchmark/benchmark.h>

namespace
{
    SxRef<SxImageRgbaBytes> photoLikeImage (int w, int h)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (w, h));
        juce::Random random (7);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                auto* p = image->getRowPointer (y) + x * 4;
                p[0] = 255;
                p[1] = (uint8_t) (x + random.nextInt (8));
                p[2] = (uint8_t) (y + random.nextInt (8));
                p[3] = (uint8_t) ((x + y) / 2 + random.nextInt (8));
            }
        return image;
    }
}

static void BM_ReadStreamFormWithImageEntry (benchmark::State& state)
{
    SxPropertySet set;
    for (int i = 0; i < 50; ++i)
        set.setValue ("key" + juce::String (i), juce::String (i * 3.5));
    photoLikeImage (1024, 768)->writeToPropertySet (set, "image");
    juce::MemoryOutputStream out;
    set.writeToStream (out);

    for (auto _ : state)
    {
        juce::MemoryInputStream in (out.getData(), out.getDataSize(), false);
        SxPropertySet back;
        back.readFromStream (in);
        benchmark::DoNotOptimize (back.getAllProperties().size());
    }
    state.SetBytesProcessed ((int64_t) state.iterations() * (int64_t) out.getDataSize());
}
BENCHMARK (BM_ReadStreamFormWithImageEntry)->Unit (benchmark::kMillisecond);

static void BM_WriteImageEntry1024x768 (benchmark::State& state)
{
    const auto image = photoLikeImage (1024, 768);
    for (auto _ : state)
    {
        SxPropertySet set;
        image->writeToPropertySet (set, "image");
        benchmark::DoNotOptimize (set.getAllProperties().size());
    }
}
BENCHMARK (BM_WriteImageEntry1024x768)->Unit (benchmark::kMillisecond);

static void BM_ReadImageEntry1024x768 (benchmark::State& state)
{
    SxPropertySet set;
    photoLikeImage (1024, 768)->writeToPropertySet (set, "image");
    for (auto _ : state)
        benchmark::DoNotOptimize (SxImageRgbaBytes::readFromPropertySet (set, "image").get());
}
BENCHMARK (BM_ReadImageEntry1024x768)->Unit (benchmark::kMillisecond);
