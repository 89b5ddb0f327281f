// Saving a painting at camera sizes (12 and 24 megapixels) in each save type, through the
// writer front: conversion, Exif preparation, encoding and the atomic write to disk.
// The picture is painting-like (broad washes with a paper grain), opaque, with a typical
// camera Exif block; the written size is reported as "MB".

#include "ImageFileWriter.h"
#include "SxImageRgbaBytes.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
    using FileType = ImageFileWriter::FileType;

    struct Variant
    {
        const char* name;
        FileType type;
        int quality;
        const char* extension;
    };

    constexpr Variant variants[] = {
        { "JPEG q80", FileType::jpeg, 80, "jpg" },
        { "JPEG 2000 q80", FileType::jpeg2000, 80, "jp2" },
        { "JPEG 2000 lossless", FileType::jpeg2000, 100, "jp2" },
        { "PNG", FileType::png, 80, "png" },
        { "TIFF LZW", FileType::tiff, 80, "tif" },
    };

    SxRef<SxImageRgbaBytes> makePainting (int megapixels)
    {
        const int width = megapixels == 24 ? 6000 : 4000;
        const int height = megapixels == 24 ? 4000 : 3000;
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height));
        juce::Random random (3);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image->getRowPointer (y);
            const double fy = (double) y / height;
            for (int x = 0; x < width; ++x, p += 4)
            {
                const double fx = (double) x / width;
                const int grain = random.nextInt (9) - 4;
                const double wash = std::sin (fx * 9.0 + std::sin (fy * 5.0) * 2.0) * std::cos (fy * 7.0 - fx * 3.0);
                p[0] = 255;
                p[1] = (uint8_t) std::clamp (170.0 + 60.0 * wash + grain, 0.0, 255.0);
                p[2] = (uint8_t) std::clamp (150.0 + 50.0 * std::sin (fx * 4.0 + fy * 6.0) + grain, 0.0, 255.0);
                p[3] = (uint8_t) std::clamp (190.0 - 70.0 * wash * fy + grain, 0.0, 255.0);
            }
        }
        return image;
    }

    juce::MemoryBlock cameraExif()
    {
        // "Exif\0\0", little-endian TIFF header, IFD0 with Make and Model.
        const uint8_t block[] = { 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                                  2, 0,
                                  0x0f, 0x01, 2, 0, 6, 0, 0, 0, 38, 0, 0, 0,
                                  0x10, 0x01, 2, 0, 4, 0, 0, 0, 'T', 'M', '1', 0,
                                  0, 0, 0, 0,
                                  'M', 'a', 'k', 'e', 'r', 0 };
        return juce::MemoryBlock (block, sizeof (block));
    }

    void writeFile (benchmark::State& state)
    {
        const auto& variant = variants[state.range (0)];
        const int megapixels = (int) state.range (1);
        state.SetLabel (juce::String (variant.name).toStdString() + ", " + std::to_string (megapixels) + " MP");
        const auto painting = makePainting (megapixels);
        ImageFileWriter::Options options;
        options.type = variant.type;
        options.quality = variant.quality;
        options.resolutionX = options.resolutionY = 300.0;
        options.exif = cameraExif();

        const juce::TemporaryFile target (juce::String ("bench.") + variant.extension);
        for (auto _ : state)
            if (ImageFileWriter::write (*painting, target.getFile(), options).failed())
                state.SkipWithError ("write failed");
        state.counters["MB"] = (double) target.getFile().getSize() / 1.0e6;
    }
}

BENCHMARK (writeFile)->ArgsProduct ({ { 0, 1, 2, 3, 4 }, { 12, 24 } })->Unit (benchmark::kMillisecond)->Iterations (2);
