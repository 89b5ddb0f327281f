// Saving and opening a project of a 12 and a 24 megapixel photograph, whole and by stage:
// packing the picture (zlib level 9, then the base-64 text), the thumbnail (box-average
// scaling and JPEG), writing the file; reading the stream, decoding the text, inflating.
// Counters: the file's size, and the growth of the peak resident memory over the run.

#include "AtomicFileWriter.h"
#include "ImageBlob.h"
#include "ProjectFile.h"
#include "ProjectThumbnail.h"
#include "PropertyValues.h"
#include "Resampling.h"
#include "SettingsFileHeader.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>

namespace
{
    /** A photograph-like picture: smooth gradients with sensor noise. */
    SxRef<SxImageRgbaBytes> photograph (int width, int height)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (width, height, SxImageRgbaBytes::uninitialised));
        juce::Random random (5);
        for (int y = 0; y < height; ++y)
        {
            auto* p = image->getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                const int noise = random.nextInt (6);
                p[0] = 255;
                p[1] = (uint8_t) ((x * 255) / width + noise);
                p[2] = (uint8_t) ((y * 200) / height + noise);
                p[3] = (uint8_t) (((x + y) * 160) / (width + height) + noise);
            }
        }
        return image;
    }

    /** 12 MP as 4000 x 3000, 24 MP as 6000 x 4000. */
    SxRef<SxImageRgbaBytes> pictureOf (int megapixels)
    {
        return megapixels == 12 ? photograph (4000, 3000) : photograph (6000, 4000);
    }

    SxRef<SxImageRgbaBytes> previewOf (const SxImageRgbaBytes& picture)
    {
        SxRef<SxImageRgbaBytes> preview (picture.clone());
        const double scale = 1301.0 / std::max (picture.width, picture.height);
        resizeRgbaImage (*preview, (int) (picture.width * scale), (int) (picture.height * scale), 1);
        return preview;
    }

    SxPropertySet documentKeys()
    {
        SxPropertySet set;
        setIntProperty (set, "LayerCount", 1);
        setStringProperty (set, "ClassName1", "StylizedWatercolor");
        setStringProperty (set, "EffectDictionary1", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist><dict/></plist>");
        setIntProperty (set, "totalColors", 0);
        return set;
    }

    juce::File benchFile()
    {
        return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("ProjectFileBench.kvp");
    }

    /** Growth of the peak resident memory from start() to the end of the run. */
    class PeakMemory
    {
    public:
        PeakMemory()
        {
            malloc_trim (0);
            std::ofstream ("/proc/self/clear_refs") << "5";   // resets the peak to what is resident now
            before = statusKB ("VmRSS:");
        }
        double growthMB() const { return (double) (statusKB ("VmHWM:") - before) / 1024.0; }

    private:
        long before = 0;

        static long statusKB (const std::string& field)
        {
            std::ifstream status ("/proc/self/status");
            std::string line;
            while (std::getline (status, line))
                if (line.rfind (field, 0) == 0)
                    return std::stol (line.substr (field.size()));
            return 0;
        }
    };
}

static void BM_SaveProject (benchmark::State& state)
{
    const auto picture = pictureOf ((int) state.range (0));
    const auto preview = previewOf (*picture);
    const auto document = documentKeys();
    const PeakMemory peak;
    for (auto _ : state)
        if (ProjectFile::write (benchFile(), document, *picture, 300.0, 300.0, *preview).failed())
            state.SkipWithError ("not written");
    state.counters["peakMB"] = peak.growthMB();
    state.counters["fileMB"] = (double) benchFile().getSize() / 1.0e6;
}
BENCHMARK (BM_SaveProject)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond)->Iterations (2);

static void BM_OpenProject (benchmark::State& state)
{
    {
        const auto picture = pictureOf ((int) state.range (0));
        ProjectFile::write (benchFile(), documentKeys(), *picture, 300.0, 300.0, *previewOf (*picture));
    }
    const PeakMemory peak;
    for (auto _ : state)
    {
        ProjectFile::Contents contents;
        if (ProjectFile::read (benchFile(), contents).failed())
            state.SkipWithError ("not read");
    }
    state.counters["peakMB"] = peak.growthMB();
    state.counters["fileMB"] = (double) benchFile().getSize() / 1.0e6;
}
BENCHMARK (BM_OpenProject)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond)->Iterations (2);

//==============================================================================
// The stages

static void BM_SaveStage_Compress (benchmark::State& state)
{
    const auto picture = pictureOf ((int) state.range (0));
    juce::MemoryBlock compressed;
    for (auto _ : state)
        ImageBlob::compress (compressed, picture->width, picture->height, picture->pixels, 4);
    state.counters["compressedMB"] = (double) compressed.getSize() / 1.0e6;
}
BENCHMARK (BM_SaveStage_Compress)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond)->Iterations (2);

static void BM_SaveStage_Base64 (benchmark::State& state)
{
    const auto picture = pictureOf ((int) state.range (0));
    juce::MemoryBlock compressed;
    ImageBlob::compress (compressed, picture->width, picture->height, picture->pixels, 4);
    for (auto _ : state)
        benchmark::DoNotOptimize (compressed.toBase64Encoding());
}
BENCHMARK (BM_SaveStage_Base64)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond);

static void BM_SaveStage_Thumbnail (benchmark::State& state)
{
    const auto preview = previewOf (*photograph (4000, 3000));
    for (auto _ : state)
        benchmark::DoNotOptimize (ProjectThumbnail::makeJpeg (*preview));
}
BENCHMARK (BM_SaveStage_Thumbnail)->Unit (benchmark::kMillisecond);

static void BM_SaveStage_WriteFile (benchmark::State& state)
{
    const auto picture = pictureOf ((int) state.range (0));
    auto set = documentKeys();
    picture->writeToPropertySet (set, ProjectFile::imageKey);
    const auto thumbnail = ProjectThumbnail::makeJpeg (*previewOf (*picture));
    for (auto _ : state)
        AtomicFileWriter::replace (benchFile(), [&] (juce::OutputStream& out) { return SettingsFileHeader::writeWithThumbnail (out, set, thumbnail); });
}
BENCHMARK (BM_SaveStage_WriteFile)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond);

static void BM_OpenStage_ReadStream (benchmark::State& state)
{
    {
        const auto picture = pictureOf ((int) state.range (0));
        ProjectFile::write (benchFile(), documentKeys(), *picture, 300.0, 300.0, *previewOf (*picture));
    }
    for (auto _ : state)
    {
        juce::FileInputStream file (benchFile());
        juce::BufferedInputStream in (file, 1 << 16);
        in.setPosition (12);
        SxPropertySet set;
        set.readFromStream (in);
        benchmark::DoNotOptimize (set.getValue ("ORIG_IMAGE_data").length());
    }
}
BENCHMARK (BM_OpenStage_ReadStream)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond);

static void BM_OpenStage_DecodeText (benchmark::State& state)
{
    const auto picture = pictureOf ((int) state.range (0));
    juce::MemoryBlock compressed;
    ImageBlob::compress (compressed, picture->width, picture->height, picture->pixels, 4);
    const auto text = compressed.toBase64Encoding();
    for (auto _ : state)
    {
        juce::MemoryBlock decoded;
        ImageBlob::decodeBase64 (text, decoded);
        benchmark::DoNotOptimize (decoded.getSize());
    }
}
BENCHMARK (BM_OpenStage_DecodeText)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond);

static void BM_OpenStage_Inflate (benchmark::State& state)
{
    const auto picture = pictureOf ((int) state.range (0));
    juce::MemoryBlock compressed;
    ImageBlob::compress (compressed, picture->width, picture->height, picture->pixels, 4);
    for (auto _ : state)
    {
        juce::MemoryInputStream in (compressed, false);
        benchmark::DoNotOptimize (ImageBlob::read (in, 4).pixels.get());
    }
}
BENCHMARK (BM_OpenStage_Inflate)->Arg (12)->Arg (24)->Unit (benchmark::kMillisecond);

namespace
{
    /** The benchmarks' project file goes when the program ends. */
    const struct RemoveBenchFile { ~RemoveBenchFile() { benchFile().deleteFile(); } } removeBenchFile;
}
