// Renders one image through a watercolour effect, for goldens, looking and timing.
//
//   WatercolorHarness <input image | "scene:WxH"> <effect short name> <preset number 1-8 | 0 for reset values>
//                     <scale> <output.jpg | .jp2 | .png | .tif> [repeats]
//
// The input (any image the application opens, upright, or the generated test scene at the
// given size) is resized by scale, rendered with renderScale = longer side / 1024 as the
// document does, and saved as the output name's type at quality 80 with the input's
// resolution and camera metadata, as the application saves. With repeats > 1 the render
// runs that many times and the times are printed, then the stages of the last run and the
// peak resident memory.

#include "AbstractWaterColor.h"
#include "ImageFileBridges.h"
#include "ImageFileWriter.h"
#include "RenderParameters.h"
#include "Resampling.h"
#include "StylizedWatercolor.h"
#include "WatercolorFactoryPresets.h"
#include "WatercolorRender.h"

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>

namespace
{
    /** Hills, sky, a sun, a house and a few trees: areas of every brightness and some edges. */
    SxImageRgbaBytes makeScene (int width, int height)
    {
        SxImageRgbaBytes image (width, height);
        for (int y = 0; y < height; ++y)
        {
            uint8_t* p = image.getRowPointer (y);
            for (int x = 0; x < width; ++x, p += 4)
            {
                const float fx = (float) x / (float) width, fy = (float) y / (float) height;
                float r = 110 + 90 * fy, g = 160 + 70 * fy, b = 235;                        // sky
                if (std::hypot (fx - 0.75f, fy - 0.22f) < 0.09f) { r = 252; g = 225; b = 120; } // sun
                if (fy > 0.55f + 0.12f * std::sin (fx * 7.0f))  { r = 70 + 60 * fx; g = 130; b = 50; }  // far hill
                if (fy > 0.72f + 0.06f * std::sin (fx * 13.0f + 1.0f)) { r = 40; g = 95 - 30 * fy; b = 30; } // near hill
                if (fx > 0.2f && fx < 0.38f && fy > 0.5f && fy < 0.7f) { r = 225; g = 205; b = 170; }  // house
                if (fy < 0.5f && fy > 0.5f - (0.09f - std::abs (fx - 0.29f)) && std::abs (fx - 0.29f) < 0.11f)
                    { r = 150; g = 45; b = 35; }                                                       // roof
                if (fx > 0.27f && fx < 0.31f && fy > 0.6f && fy < 0.7f) { r = 80; g = 50; b = 30; }    // door
                for (const float tx : { 0.55f, 0.62f, 0.9f })
                    if (std::hypot ((fx - tx) * 1.6f, fy - 0.5f) < 0.07f) { r = 30; g = 80; b = 35; } // trees
                p[0] = 255;
                p[1] = (uint8_t) std::clamp (r, 0.0f, 255.0f);
                p[2] = (uint8_t) std::clamp (g, 0.0f, 255.0f);
                p[3] = (uint8_t) std::clamp (b, 0.0f, 255.0f);
            }
        }
        return image;
    }

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
                opened.image = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (makeScene (w, h)));
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

    auto opened = openInput (argv[1]);
    if (! opened.image)
    {
        std::cerr << "cannot read " << argv[1] << ": " << opened.refusal << "\n";
        return 1;
    }
    auto& input = opened.image;

    const float scale = juce::String (argv[4]).getFloatValue();
    if (scale > 0.0f && scale != 1.0f)
        resizeRgbaImage (*input, std::max (1, (int) std::lround (input->width * scale)),
                         std::max (1, (int) std::lround (input->height * scale)), 4);

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
    if (preset > 0)
    {
        const auto presets = WatercolorFactoryPresets::getPresetFiles (effect);
        if (preset > (int) presets.size())
        {
            std::cerr << "no preset " << preset << "\n";
            return 1;
        }
        layer.applyTextPreset (presets[(size_t) preset - 1].text);
    }

    RenderParameters params;
    params.image = input.get();
    params.renderScale = (float) std::max (input->width, input->height) / 1024.0f;

    WatercolorRender::setStageObserver (printStage);
    const int repeats = argc > 6 ? std::max (1, juce::String (argv[6]).getIntValue()) : 1;
    for (int i = 0; i < repeats; ++i)
    {
        if (i > 0)
            layer.dropCachedImages();   // every run does the whole work, ink outline included
        // The stages of the last run are printed: the earlier ones warm up the GPU and caches.
        printStages = repeats > 1 && i == repeats - 1;
        const auto start = std::chrono::steady_clock::now();
        lastStage = start;
        layer.render (params);
        const auto ms = std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count();
        if (repeats > 1)
            std::cout << input->width << "x" << input->height << " render " << i << ": " << ms << " ms\n";
    }
    if (repeats > 1)
    {
        std::cout << "peak RSS " << peakResidentMegabytes() << " MB\n";
    }

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
