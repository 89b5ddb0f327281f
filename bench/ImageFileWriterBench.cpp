// Saving a painting at camera sizes (12 and 24 megapixels) in each save type, through the
// writer front: conversion, Exif preparation, encoding and the atomic write to disk.
// The picture is painting-like (broad washes with a paper grain), opaque, with a typical
// camera Exif block; the written size is reported as "MB".

#include "ImageFileWriter.h"
#include "SavedPaintingSamples.h"

#include <benchmark/benchmark.h>

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

    void writeFile (benchmark::State& state)
    {
        const auto& variant = variants[state.range (0)];
        const int megapixels = (int) state.range (1);
        state.SetLabel (juce::String (variant.name).toStdString() + ", " + std::to_string (megapixels) + " MP");
        const auto painting = SavedPaintingSamples::makePainting (megapixels);
        ImageFileWriter::Options options;
        options.type = variant.type;
        options.quality = variant.quality;
        options.resolutionX = options.resolutionY = 300.0;
        options.exif = SavedPaintingSamples::cameraExif();

        const juce::TemporaryFile target (juce::String ("bench.") + variant.extension);
        for (auto _ : state)
            if (ImageFileWriter::write (*painting, target.getFile(), options).failed())
                state.SkipWithError ("write failed");
        state.counters["MB"] = (double) target.getFile().getSize() / 1.0e6;
    }
}

BENCHMARK (writeFile)->ArgsProduct ({ { 0, 1, 2, 3, 4 }, { 12, 24 } })->Unit (benchmark::kMillisecond)->Iterations (2);
