// Renders one image through a watercolour effect, for goldens, looking and timing.
//
//   WatercolorHarness <input image | "scene:WxH"> <effect short name> <preset number 1-8 | 0 for reset values>
//                     <scale> <output.jpg | .jp2 | .png | .tif> [repeats]
//
// The input (any image the application opens, upright, or the generated test scene of the
// goldens at the given size) is resized by scale, rendered with renderScale = longer side /
// 1024 as the document does, and saved as the output name's type at quality 80 with the
// input's resolution and camera metadata, as the application saves. The time of each stage
// of the road goes to the standard output: reading, scaling, the render's own stages,
// writing. With repeats > 1 the render runs that many times (the preset applied again in
// between, as a user picking it again would) and the times are printed, the render stages
// of the last run and the peak resident memory.
//
// A golden of tests/data/golden is painted again with, for example:
//   WatercolorHarness scene:320x240 Stylized 1 1 Stylized-01.png

#include "AbstractWaterColor.h"
#include "ImageFileBridges.h"
#include "ImageFileWriter.h"
#include "RenderParameters.h"
#include "Resampling.h"
#include "StylizedWatercolor.h"
#include "TestScene.h"
#include "WatercolorFactoryPresets.h"
#include "WatercolorRender.h"

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>

namespace
{
    /** The input with what the document keeps of it: resolution and camera metadata. */
    ImageFileBridges::OpenedImage openInput (const juce::String& source)
    {
        ImageFileBridges::OpenedImage opened;
        if (source.startsWith ("scene:"))
        {
            const auto size = source.fromFirstOccurrenceOf ("scene:", false, false);
            const int w = size.upToFirstOccurrenceOf ("x", false, true).getIntValue();
            const int h = size.fromFirstOccurrenceOf ("x", false, true).getIntValue();
            if (w < 1 || h < 1)
                opened.refusal = "The scene size is not W x H.";
            else
                opened.image = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (sxtest::makeScene (w, h)));
            return opened;
        }
        return ImageFileBridges::openImageFile (juce::File::getCurrentWorkingDirectory().getChildFile (source));
    }

    /** Prints each stage of the render as it ends, with the time since the previous one. */
    std::chrono::steady_clock::time_point lastStage;
    bool printStages = false;

    void printStage (const char* stage)
    {
        const auto now = std::chrono::steady_clock::now();
        if (printStages)
            std::cout << "  " << stage << ": " << std::chrono::duration<double, std::milli> (now - lastStage).count() << " ms\n";
        lastStage = now;
    }

    /** Prints a stage of the road with the time since start. */
    void printRoadStage (const char* stage, std::chrono::steady_clock::time_point start)
    {
        std::cout << stage << ": " << std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count() << " ms\n";
    }

    double peakResidentMegabytes()
    {
        rusage usage {};
        getrusage (RUSAGE_SELF, &usage);
        return (double) usage.ru_maxrss / 1024.0;
    }
}

int paint (int argc, char** argv)
{
    if (argc < 6)
    {
        std::cerr << "usage: WatercolorHarness <image | scene:WxH> <Stylized | Abstract> <preset 0-8> <scale>"
                     " <out.jpg | .jp2 | .png | .tif> [repeats]\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::File out = juce::File::getCurrentWorkingDirectory().getChildFile (argv[5]);
    const auto outputType = ImageFileWriter::typeForFile (out);
    if (! outputType.has_value())
    {
        std::cerr << "cannot write " << argv[5] << ": the name must end in .jpg, .jpeg, .jp2, .png, .tif or .tiff\n";
        return 2;
    }

    // As the application does at launch: the brush atlas decodes while the photograph is read.
    WatercolorRender::startDecodingBrushAtlas();
    const auto readStart = std::chrono::steady_clock::now();
    auto opened = openInput (argv[1]);
    if (! opened.image)
    {
        std::cerr << "cannot read " << argv[1] << ": " << opened.refusal << "\n";
        return 1;
    }
    auto& input = opened.image;
    printRoadStage ("read", readStart);

    const float scale = juce::String (argv[4]).getFloatValue();
    if (scale > 0.0f && scale != 1.0f)
    {
        const auto scaleStart = std::chrono::steady_clock::now();
        resizeRgbaImage (*input, std::max (1, (int) std::lround (input->width * scale)),
                         std::max (1, (int) std::lround (input->height * scale)), 4);
        printRoadStage ("scale", scaleStart);
    }

    const juce::String effect (argv[2]);
    std::unique_ptr<StylizedWatercolor> effectLayer;
    if (effect == "Stylized")
        effectLayer = std::make_unique<StylizedWatercolor>();
    else if (effect == "Abstract")
        effectLayer = std::make_unique<AbstractWaterColor>();
    else
    {
        std::cerr << "unknown effect " << argv[2] << "\n";
        return 1;
    }
    auto& layer = *effectLayer;
    const int preset = juce::String (argv[3]).getIntValue();
    layer.getSettings() = WatercolorSettings();
    juce::String presetText;
    if (preset > 0)
    {
        const auto presets = WatercolorFactoryPresets::getPresetFiles (effect);
        if (preset > (int) presets.size())
        {
            std::cerr << "no preset " << preset << "\n";
            return 1;
        }
        presetText = presets[(size_t) preset - 1].text;
        layer.applyTextPreset (presetText);
    }

    RenderParameters params;
    params.image = input.get();
    params.renderScale = (float) std::max (input->width, input->height) / 1024.0f;

    WatercolorRender::setStageObserver (printStage);
    const int repeats = argc > 6 ? std::max (1, juce::String (argv[6]).getIntValue()) : 1;
    for (int i = 0; i < repeats; ++i)
    {
        // Every run does the whole work, ink outline included, as after picking the preset
        // again; the GPU objects of the dab layer stay, as they do for the document.
        if (i > 0 && presetText.isNotEmpty())
            layer.applyTextPreset (presetText);
        else if (i > 0)
            layer.dropCachedImages();
        // The stages of the last run are printed: the earlier ones warm up the GPU and caches.
        printStages = i == repeats - 1;
        const auto start = std::chrono::steady_clock::now();
        lastStage = start;
        layer.render (params);
        const auto ms = std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count();
        std::cout << input->width << "x" << input->height << " render " << i << ": " << ms << " ms\n";
    }
    if (repeats > 1)
    {
        std::cout << "peak RSS " << peakResidentMegabytes() << " MB\n";
    }

    const auto writeStart = std::chrono::steady_clock::now();
    ImageFileWriter::Options options;
    options.type = *outputType;
    options.resolutionX = opened.resolutionX;
    options.resolutionY = opened.resolutionY;
    options.exif = opened.exif;
    const auto written = ImageFileWriter::write (*layer.getOutputImage(), out, options);
    if (written.failed())
    {
        std::cerr << "cannot write " << argv[5] << ": " << written.getErrorMessage() << "\n";
        return 1;
    }
    printRoadStage ("write", writeStart);
    return 0;
}

int main (int argc, char** argv)
{
    try
    {
        return paint (argc, argv);
    }
    catch (const std::bad_alloc&)
    {
        std::cerr << "not enough memory for an image of this size\n";
        return 1;
    }
}
