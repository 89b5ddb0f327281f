// The document canvas: one repaint of a 1200 x 800 canvas showing a 1301 x 976 painting,
// fitted and at 4x (paint into an RGB image with the framework's software renderer, as the
// window's peer does), fitted again for a translucent picture (the checkerboard shows), and
// one step of the zoom animation, with and without its repaint.
// Needs an X display (run under xvfb-run).

#include "GenericAppDocument.h"
#include "SxClock.h"

#include <benchmark/benchmark.h>

#include <random>

namespace
{
    void startGui()
    {
        static const juce::ScopedJuceInitialiser_GUI gui;
    }

    /** An image with detail everywhere, the size of a working image. */
    SxRef<SxImageRgbaBytes> makePainting (uint8_t alpha)
    {
        SxRef<SxImageRgbaBytes> image (new SxImageRgbaBytes (1301, 976));
        std::mt19937 rng (7);
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x)
                image->setPixel (alpha | (uint32_t) ((x + (int) (rng() % 32)) & 0xff) << 8
                                      | (uint32_t) ((y + (int) (rng() % 32)) & 0xff) << 16 | 0x80u << 24, x, y);
        return image;
    }

    struct Scene
    {
        explicit Scene (uint8_t alpha = 255)
            : painting (makePainting (alpha))
        {
            startGui();
            canvas.setSize (1200, 800);
            canvas.setImage (painting.get());
            canvas.fitInWindow (false);
        }

        void paint()
        {
            juce::Graphics g (target);
            canvas.paintEntireComponent (g, false);
        }

        SxRef<SxImageRgbaBytes> painting;
        GenericAppDocument canvas;
        juce::Image target { juce::Image::RGB, 1200, 800, true, juce::SoftwareImageType() };
    };

    void BM_CanvasRepaintFitted (benchmark::State& state)
    {
        Scene scene;
        for (auto _ : state)
            scene.paint();
        state.SetLabel ("zoom " + std::to_string (scene.canvas.getZoom()));
    }
    BENCHMARK (BM_CanvasRepaintFitted)->Unit (benchmark::kMillisecond);

    void BM_CanvasRepaintFittedTranslucent (benchmark::State& state)
    {
        Scene scene (0x80);
        for (auto _ : state)
            scene.paint();
    }
    BENCHMARK (BM_CanvasRepaintFittedTranslucent)->Unit (benchmark::kMillisecond);

    void BM_CanvasRepaintAt4x (benchmark::State& state)
    {
        Scene scene;
        scene.canvas.setZoom (false, 4.0f);
        for (auto _ : state)
            scene.paint();
    }
    BENCHMARK (BM_CanvasRepaintAt4x)->Unit (benchmark::kMillisecond);

    /** Steps of the fit animation from 4x, the clock 30 ms further each time; restarted
        when it ends. */
    template <bool withPaint>
    void BM_CanvasAnimationStep (benchmark::State& state)
    {
        Scene scene;
        juce::uint32 now = 100000;
        SxClock::setSource ([&now] { return now; });

        auto restart = [&]
        {
            scene.canvas.setZoom (false, 4.0f);
            scene.canvas.fitInWindow (true);
        };
        restart();

        for (auto _ : state)
        {
            if (! scene.canvas.isAnimatingZoom())
            {
                state.PauseTiming();
                restart();
                state.ResumeTiming();
            }
            scene.canvas.timerCallback (GenericAppDocument::zoomAnimationTimer);
            if constexpr (withPaint)
                scene.paint();
            now += GenericAppDocument::zoomAnimationInterval;
        }
        SxClock::setSource (nullptr);
    }
    BENCHMARK (BM_CanvasAnimationStep<false>)->Name ("BM_CanvasAnimationStep")->Unit (benchmark::kMicrosecond);
    BENCHMARK (BM_CanvasAnimationStep<true>)->Name ("BM_CanvasAnimationStepPainted")->Unit (benchmark::kMillisecond);
}
