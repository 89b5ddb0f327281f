// Saving a painting in the background at camera sizes (12 and 24 megapixels) in each save
// type: the time from handing the painting to the writer until the file is in place
// (encoding and the atomic write on the writer's thread), and "caller_ms", the part the
// message thread spends handing it over. "handed over" gives the writer the only reference
// (the save after a full-size render); "kept" leaves the caller holding the image, so the
// writer copies it first.

#include "ImageSaveWriter.h"
#include "SavedPaintingSamples.h"

#include <benchmark/benchmark.h>

namespace
{
    using FileType = ImageFileWriter::FileType;

    struct Variant
    {
        const char* name;
        FileType type;
        const char* extension;
    };

    constexpr Variant variants[] = {
        { "JPEG q80", FileType::jpeg, "jpg" },
        { "JPEG 2000 q80", FileType::jpeg2000, "jp2" },
        { "PNG", FileType::png, "png" },
        { "TIFF LZW", FileType::tiff, "tif" },
    };

    void saveInBackground (benchmark::State& state)
    {
        const auto& variant = variants[state.range (0)];
        const int megapixels = (int) state.range (1);
        const bool handedOver = state.range (2) != 0;
        state.SetLabel (juce::String (variant.name).toStdString() + ", " + std::to_string (megapixels) + " MP, "
                        + (handedOver ? "handed over" : "kept"));

        const auto source = SavedPaintingSamples::makePainting (megapixels);
        ImageFileWriter::Options options;
        options.type = variant.type;
        options.quality = 80;
        options.resolutionX = options.resolutionY = 300.0;
        options.exif = SavedPaintingSamples::cameraExif();

        const juce::TemporaryFile target (juce::String ("bench.") + variant.extension);
        ImageSaveWriter writer;
        double callerMs = 0.0;
        for (auto _ : state)
        {
            state.PauseTiming();
            auto painting = handedOver ? SxRef<SxImageRgbaBytes> (source->clone()) : source;
            state.ResumeTiming();

            const auto start = juce::Time::getMillisecondCounterHiRes();
            writer.write (std::move (painting), target.getFile(), options);
            callerMs += juce::Time::getMillisecondCounterHiRes() - start;
            writer.waitUntilIdle();
        }
        state.counters["caller_ms"] = callerMs / (double) state.iterations();
        state.counters["MB"] = (double) target.getFile().getSize() / 1.0e6;
    }
}

BENCHMARK (saveInBackground)->ArgsProduct ({ { 0, 1, 2, 3 }, { 12, 24 }, { 1, 0 } })
    ->Unit (benchmark::kMillisecond)->Iterations (2)->UseRealTime();
