// The main window's layout: one resize of the main component (every child placed again by its
// expression, the canvas with a 1301 x 976 painting fitted anew), and one 10 ms step of the
// effect panel's slide (the panel moves; the canvas and the sub-tool bar follow its edge).
// Layout only: painting is measured by DocumentCanvasBench. Needs an X display (xvfb-run).

#include "GenericAppComponent.h"
#include "ShellBenchSupport.h"
#include "SxColorComponent.h"
#include "SxRelativeBounds.h"

#include <benchmark/benchmark.h>

namespace
{
    struct Window
    {
        Window()
        {
            ShellBench::startGui();
            main.startUp();
            main.createUI();
            main.setSize (1024, 700);
            painting = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (1301, 976));
            painting->fill (0xff8080ffu);
            main.getDocument()->setImage (painting.get());
            main.getDocument()->fitInWindow (false);
        }

        SxRef<SxImageRgbaBytes> painting;
        GenericAppComponent main;
    };

    void BM_MainWindowResize (benchmark::State& state)
    {
        Window window;
        bool wide = false;
        for (auto _ : state)
        {
            wide = ! wide;
            window.main.setSize (wide ? 1600 : 1024, wide ? 940 : 700);
        }
        state.SetLabel (std::to_string (window.main.getNumChildComponents()) + " children");
    }
    BENCHMARK (BM_MainWindowResize);

    void BM_EffectPanelSlideStep (benchmark::State& state)
    {
        Window window;
        auto& panel = *window.main.getEffectPanel();
        SxRelativeBounds::detach (panel);   // as a slide does; the canvas keeps following it
        const auto docked = panel.getBounds().withX (1024 - 256);
        int step = 0;
        for (auto _ : state)
        {
            // A 150 ms slide is 15 steps of about 17 pixels.
            step = (step + 1) % 15;
            panel.setBounds (docked.translated (step * 17, 0));
        }
        state.SetLabel ("canvas follows: " + std::to_string (window.main.getDocument()->getRight() == panel.getX() + 1));
    }
    BENCHMARK (BM_EffectPanelSlideStep);
}
