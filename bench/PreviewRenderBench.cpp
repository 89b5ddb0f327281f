// The preview render flow of the real main component, on a window under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/PreviewRenderBench
//
// - SliderRelease/<name>: a slider of the Abstract effect's docked panel given a new value as
//   a release does (field written, owner told), until the painting is on the screen, at
//   preview size (longest side 1301). Sixteen releases, the mean.
// - OpenToPhotographShown and OpenToFirstPaintingShown/<photo>: openImage until the
//   photograph (the working copy) is on the screen, and until the first painting is.
//   "sample" is the bundled sample photograph (1600 x 1200); "24MP" one of 6000 x 4000
//   painted by the sample generator into a temporary folder.
// - SaveEndToEnd/<type>/<12MP | 24MP>: the save button's road on a photograph (4000 x 3000 or 6000 x 4000,
//   painted by the sample generator): the full-size render and the preview again behind
//   the activity window, the save panel answered at once for that type, and the background
//   write until the file is in place. "render ms" is the part until the panel is asked,
//   "write ms" the rest; "peak MB" the process's peak resident memory so far.
// Each figure is a median over repetitions; the context names the cores. The slider figures
// also say where the time goes: the render's stages (ms per release, each from the end of
// the previous one, the first from the release), and "shown", from the render's last stage
// until the painting is on the screen.

#include "ImageFileBridges.h"
#include "ImageSavePanel.h"
#include "LayerManager.h"
#include "MessagePump.h"
#include "FindNamed.h"
#include "Quenzella_TolvaAppComponent.h"
#include "RenderThread.h"
#include "WatercolorRender.h"
#include "XErrors.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace juce
{
    // The framework's own one-step dispatch (exported by its Linux message loop).
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace
{
    using Clock = std::chrono::steady_clock;

    double secondsSince (Clock::time_point start)
    {
        return std::chrono::duration<double> (Clock::now() - start).count();
    }

    /** The time of each stage of the watercolour renders, told by the render on its thread. */
    struct StageTimes
    {
        static StageTimes& get()
        {
            static StageTimes instance;
            return instance;
        }

        static void observe (const char* stage)
        {
            auto& t = get();
            const std::scoped_lock lock (t.mutex);
            const auto now = Clock::now();
            t.totals[stage] += std::chrono::duration<double, std::milli> (now - t.last).count();
            t.last = now;
        }

        /** The next stage is timed from start. */
        void mark (Clock::time_point start)
        {
            const std::scoped_lock lock (mutex);
            last = start;
        }

        double sinceLastStage (Clock::time_point end)
        {
            const std::scoped_lock lock (mutex);
            return std::chrono::duration<double, std::milli> (end - last).count();
        }

        std::map<std::string, double> take()
        {
            const std::scoped_lock lock (mutex);
            return std::exchange (totals, {});
        }

        std::mutex mutex;
        Clock::time_point last = Clock::now();
        std::map<std::string, double> totals;
    };

    /** A home and XDG folders of its own, so no run touches the user's settings or presets;
        made first, so it also lets the program live through the X errors of a bare display. */
    struct PrivateFolders
    {
        PrivateFolders()
        {
            sxgui::ignoreXErrors();   // before the first window: no window manager under Xvfb

            for (const char* variable : { "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME" })
            {
                const auto folder = root.getChildFile (variable);
                folder.createDirectory();
                ::setenv (variable, folder.getFullPathName().toRawUTF8(), 1);
            }
        }
        ~PrivateFolders()  { root.deleteRecursively(); }

        juce::File root = juce::File::createTempFile ("preview-bench");
    };

    /** The product's main component on the desktop, started and built as the main window
        does, for the whole run. */
    struct Session
    {
        PrivateFolders folders;
        juce::ScopedJuceInitialiser_GUI gui;
        Quenzella_TolvaAppComponent main;
        juce::File sample { SX_SAMPLE_PHOTO };
        juce::File large;

        Session()
        {
            main.startUp();
            main.createUI();
            main.setBounds (0, 0, 1400, 900);
            main.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
            main.setVisible (true);
            settle();
        }

        ~Session()
        {
            waitForRenders();
            main.removeFromDesktop();
        }

        /** Dispatches what is pending without waiting. */
        void settle()  { sxgui::drainMessages(); }

        /** Waits for the preview render (and any it chains) and its completion. */
        void waitForRenders()
        {
            while (main.isRendering())
                juce::dispatchNextMessageOnSystemQueue (false);
        }

        /** Paints what waits to be painted onto the window now. */
        void showOnScreen()
        {
            if (auto* peer = main.getPeer())
                peer->performAnyPendingRepaintsNow();
        }

        juce::File photo (bool twentyFourMegapixels)
        {
            if (! twentyFourMegapixels)
                return sample;
            return painted (large, "photo-24mp.jpg", 6000, 4000);
        }

        juce::File camera12()
        {
            return painted (twelve, "photo-12mp.jpg", 4000, 3000);
        }

    private:
        juce::File twelve;

        /** A photograph of the sample generator, painted once into the private folders. */
        juce::File painted (juce::File& file, const char* name, int width, int height)
        {
            if (! file.existsAsFile())
            {
                file = folders.root.getChildFile (name);
                juce::ChildProcess painter;
                if (! painter.start (juce::StringArray { SX_SAMPLE_PHOTO_GENERATOR, file.getFullPathName(),
                                                         juce::String (width), juce::String (height) })
                     || ! painter.waitForProcessToFinish (600000))
                    file = juce::File();
            }
            return file;
        }
    };

    Session& session()
    {
        static Session instance;
        return instance;
    }

    // Named before the run starts, so the context printed first carries it.
    [[maybe_unused]] const bool coresNamed
        = (benchmark::AddCustomContext ("cores", std::to_string (juce::SystemStats::getNumCpus())), true);

    /** Opens the sample photograph once and renders it, docks the effect panel, then each
        iteration releases the named slider at a new value and times it until the painting is
        on the screen. */
    void SliderRelease (benchmark::State& state, const char* sliderName)
    {
        auto& s = session();
        if (s.main.getCurrentImageFile() != s.sample)
        {
            s.main.openImage (s.sample, false);
            s.waitForRenders();
            s.settle();
        }

        // The panel starts parked beyond the right edge; its tab slides it in.
        if (s.main.isEffectPanelParked())
        {
            if (auto* tab = sxgui::findNamed<juce::Button> (s.main, "leftArrowButton"))
                s.main.clickButton (tab);
            const auto deadline = Clock::now() + std::chrono::seconds (5);
            while (s.main.isEffectPanelParked() && Clock::now() < deadline)
                if (! juce::dispatchNextMessageOnSystemQueue (true))
                    std::this_thread::sleep_for (std::chrono::milliseconds (5));
            s.settle();
        }

        auto* slider = sxgui::findNamed<juce::Slider> (s.main, sliderName);
        if (s.main.getWorkingImage() == nullptr || slider == nullptr || ! slider->isShowing() || s.main.isEffectPanelParked())
        {
            state.SkipWithError ("the sample photograph did not open, or the slider is not on the docked panel");
            return;
        }

        int step = 0;
        double shown = 0.0;

        auto& stages = StageTimes::get();
        WatercolorRender::setStageObserver (StageTimes::observe);
        stages.take();

        for (auto _ : state)
        {
            // A release at 35 % or 65 %: the slider writes its field and tells its owner, as
            // at the end of a drag; every release is a new value.
            const auto start = Clock::now();
            stages.mark (start);
            slider->setValue ((step++ % 2) == 0 ? 0.35 : 0.65, juce::sendNotificationSync);
            // The owner may hear of it after the current message; then the render starts.
            const auto deadline = start + std::chrono::seconds (5);
            while (! s.main.isRendering() && Clock::now() < deadline)
                juce::dispatchNextMessageOnSystemQueue (true);
            if (! s.main.isRendering())
            {
                state.SkipWithError ("the slider's release started no render");
                break;
            }
            s.waitForRenders();
            s.showOnScreen();
            const auto end = Clock::now();
            state.SetIterationTime (std::chrono::duration<double> (end - start).count());
            shown += stages.sinceLastStage (end);
        }
        WatercolorRender::setStageObserver (nullptr);

        // Every repetition names the same counters (a stage a render skipped counts 0): the
        // statistics over repetitions need one set of names.
        static const char* const everyStage[] = {
            "paper and border", "input copy and working grey", "paint mask", "atlas and dab grid",
            "GPU dabs", "GPU dabs and hue shift", "ink outline", "ink tint", "final mix", "background",
            "dabs through the mask", "softened mask", "dab windows", "vibrancy three times",
            "photograph through the windows", "windows through the mask twice"
        };
        const auto releases = (double) state.iterations();
        auto totals = stages.take();
        for (const char* stage : everyStage)
            state.counters[std::string (stage) + " ms"] = totals[stage] / releases;
        state.counters["shown ms"] = shown / releases;
        state.counters["longest side"] = (double) juce::jmax (s.main.getWorkingImage()->width, s.main.getWorkingImage()->height);
    }

    /** Each iteration opens the photograph: the time until the working copy is on the screen,
        or until the first painting is. */
    void Open (benchmark::State& state, bool twentyFourMegapixels, bool untilPainted)
    {
        auto& s = session();
        const auto file = s.photo (twentyFourMegapixels);
        if (! file.existsAsFile())
        {
            state.SkipWithError ("no photograph to open");
            return;
        }

        for (auto _ : state)
        {
            const auto start = Clock::now();
            s.main.openImage (file, false);
            if (untilPainted)
                s.waitForRenders();
            s.showOnScreen();
            state.SetIterationTime (secondsSince (start));

            state.PauseTiming();
            s.waitForRenders();
            s.settle();
            state.ResumeTiming();
        }

        if (auto* source = s.main.getOriginalImage())
            state.counters["megapixels"] = (double) source->width * source->height / 1.0e6;
    }

    double peakResidentMegabytes()
    {
        rusage usage {};
        getrusage (RUSAGE_SELF, &usage);
        return (double) usage.ru_maxrss / 1024.0;
    }

    /** Each iteration saves the open 12 MP photograph's painting as type, from the save
        button's action until the written file is in place. */
    void SaveEndToEnd (benchmark::State& state, ImageSavePanel::ImageType type, bool twentyFourMegapixels)
    {
        auto& s = session();
        const auto file = twentyFourMegapixels ? s.photo (true) : s.camera12();
        if (! file.existsAsFile())
        {
            state.SkipWithError ("no photograph to open");
            return;
        }
        if (s.main.getCurrentImageFile() != file)
        {
            s.main.openImage (file, false);
            s.waitForRenders();
            s.settle();
        }

        const auto target = juce::File::createTempFile ("save-bench");
        target.createDirectory();
        Clock::time_point asked;
        juce::File chosen;
        ImageSavePanel::setRunner ([&] (ImageSavePanel& panel)
        {
            asked = Clock::now();
            panel.fileTypeChanged (type);
            const auto result = panel.resultIn (target);
            chosen = result.file;
            return std::optional<ImageSavePanel::Result> (result);
        });

        double renderMs = 0.0, writeMs = 0.0;
        for (auto _ : state)
        {
            chosen = juce::File();
            const auto start = Clock::now();
            s.main.saveOrApplyImage();
            // The panel's answer reaches the writer a message later; the file is in place
            // once the writer has renamed it there.
            while ((chosen == juce::File() || ! chosen.existsAsFile() || ! s.main.getImageWriter().isIdle())
                   && secondsSince (start) < 300.0)
                if (! juce::dispatchNextMessageOnSystemQueue (true))
                    juce::Thread::sleep (1);
            const auto end = Clock::now();
            if (! chosen.existsAsFile())
            {
                state.SkipWithError ("the file was not written");
                break;
            }
            state.SetIterationTime (std::chrono::duration<double> (end - start).count());
            renderMs += std::chrono::duration<double, std::milli> (asked - start).count();
            writeMs += std::chrono::duration<double, std::milli> (end - asked).count();

            state.PauseTiming();
            s.settle();
            state.ResumeTiming();
        }
        ImageSavePanel::setRunner ({});

        const auto saves = (double) state.iterations();
        state.counters["render ms"] = renderMs / saves;
        state.counters["write ms"] = writeMs / saves;
        state.counters["peak MB"] = peakResidentMegabytes();
        state.counters["file MB"] = (double) chosen.getSize() / 1.0e6;
        target.deleteRecursively();
    }

    void configure (benchmark::internal::Benchmark* b, int iterations)
    {
        b->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (iterations)
         ->Repetitions (5)->ReportAggregatesOnly (true);
    }

    /** A full-size save takes seconds: fewer repetitions. */
    void configureSave (benchmark::internal::Benchmark* b)
    {
        b->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (1)->Repetitions (3)->ReportAggregatesOnly (true);
    }
}

BENCHMARK_CAPTURE (SliderRelease, strengthSlider, "strengthSlider")->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (16);
BENCHMARK_CAPTURE (SliderRelease, outlineSlider, "outlineSlider")->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (16);
BENCHMARK_CAPTURE (Open, ToPhotographShown/sample, false, false)->Apply ([] (auto* b) { configure (b, 2); });
BENCHMARK_CAPTURE (Open, ToFirstPaintingShown/sample, false, true)->Apply ([] (auto* b) { configure (b, 2); });
BENCHMARK_CAPTURE (Open, ToPhotographShown/24MP, true, false)->Apply ([] (auto* b) { configure (b, 1); });
BENCHMARK_CAPTURE (Open, ToFirstPaintingShown/24MP, true, true)->Apply ([] (auto* b) { configure (b, 1); });
BENCHMARK_CAPTURE (SaveEndToEnd, JPEG/12MP, ImageSavePanel::ImageType::jpeg, false)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, JPEG2000/12MP, ImageSavePanel::ImageType::jpeg2000, false)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, PNG/12MP, ImageSavePanel::ImageType::png, false)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, TIFF/12MP, ImageSavePanel::ImageType::tiff, false)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, JPEG/24MP, ImageSavePanel::ImageType::jpeg, true)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, JPEG2000/24MP, ImageSavePanel::ImageType::jpeg2000, true)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, PNG/24MP, ImageSavePanel::ImageType::png, true)->Apply (configureSave);
BENCHMARK_CAPTURE (SaveEndToEnd, TIFF/24MP, ImageSavePanel::ImageType::tiff, true)->Apply (configureSave);
