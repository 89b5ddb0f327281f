// Undo snapshots of a real watercolour layer: their size in the stream form, the heap five
// of them hold in the store, and the time of a record (the snapshot taken and pushed onto a
// full store). Settings alone, and with a mask of 40 strokes x 300 points and 20 outlines x
// 150 nodes.
//
// Then one undo or redo on the main component, up to its render request (the render itself is
// left out): within one effect, and across an effect switch, which also rebuilds the effect
// panel. That one needs an X display (xvfb-run).

#include "AbstractWaterColor.h"
#include "GenericAppComponent.h"
#include "ShellBenchSupport.h"
#include "StylizedWatercolor.h"
#include "SxUndo.h"
#include "UndoSnapshot.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <malloc.h>

namespace
{
    class BenchLayer : public StylizedWatercolor
    {
    public:
        explicit BenchLayer (bool masked)
        {
            if (! masked)
                return;
            for (int s = 0; s < 40; ++s)
            {
                SxStroke stroke;
                for (int i = 0; i < 300; ++i)
                    stroke.mLine.push_back ({ 100.0f + (float) s * 37.0f + 3.1f * (float) i, 200.0f + 80.0f * std::sin ((float) i * 0.05f + (float) s) });
                stroke.mDiameter = 12.0f + (float) s;
                maskData.strokes.push_back (stroke);
            }
            for (int c = 0; c < 20; ++c)
            {
                SxBezierCurve outline;
                outline.closed = true;
                for (int i = 0; i < 150; ++i)
                {
                    const float a = (float) i * 0.042f, r = 150.0f + (float) (c * 20);
                    const SxPoint anchor { 800.0f + r * std::cos (a), 600.0f + r * std::sin (a) };
                    outline.appendNode ({ anchor, { anchor.x - 2.5f, anchor.y - 1.25f }, { anchor.x + 2.5f, anchor.y + 1.25f } });
                }
                maskData.curves.push_back (outline);
            }
        }
    };

    size_t heapInUse()
    {
        const auto info = mallinfo2();
        return info.uordblks + info.hblkhd;
    }

    int64_t streamBytes (const SxPropertySet& set)
    {
        juce::MemoryOutputStream out;
        set.writeToStream (out);
        return (int64_t) out.getDataSize();
    }
}

static void BM_RecordUndoSnapshot (benchmark::State& state)
{
    BenchLayer layer (state.range (0) != 0);
    SxUndo store;
    for (int i = 0; i < SxUndo::capacity; ++i)
        store.push (UndoSnapshot::of (&layer));

    for (auto _ : state)
        store.push (UndoSnapshot::of (&layer));

    // Five snapshots taken afresh, as five changes leave them.
    const auto before = heapInUse();
    auto five = std::make_unique<SxUndo>();
    for (int i = 0; i < SxUndo::capacity; ++i)
        five->push (UndoSnapshot::of (&layer));
    const auto held = (double) (heapInUse() - before);

    state.counters["snapshotKB"] = (double) streamBytes (store.getSnapshot (4)) / 1024.0;
    state.counters["heapFiveKB"] = held / 1024.0;
    state.SetLabel (state.range (0) != 0 ? "with mask" : "settings alone");
}
BENCHMARK (BM_RecordUndoSnapshot)->Arg (0)->Arg (1)->Unit (benchmark::kMicrosecond);

namespace
{
    /** The shell's main component with both watercolour effects and a photograph open, whose
        preview renders are only counted: the measurement ends at the request. */
    struct UndoWindow : public GenericAppComponent
    {
        UndoWindow()
        {
            startUp();
            createUI();
            setSize (1024, 700);
            sourceImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (1600, 1200));
            sourceImage->fill (0xff8080ffu);
            setUpNewImage (false);
        }

        void createEffectLayers() override
        {
            addEffect (new AbstractWaterColor());
            addEffect (new StylizedWatercolor());
        }

        void startPreviewRender (bool, const RectBounds*) override  { ++renderRequests; }

        StylizedWatercolor& effect()  { return dynamic_cast<StylizedWatercolor&> (*layerManager->getFirstEffectLayer()); }

        int renderRequests = 0;
    };
}

static void BM_UndoUpToItsRenderRequest (benchmark::State& state)
{
    ShellBench::startGui();
    UndoWindow window;
    const bool acrossSwitch = state.range (0) != 0;

    // Two snapshots to step between: a changed setting, or the other effect.
    if (acrossSwitch)
    {
        window.selectEffect (1);
    }
    else
    {
        window.effect().getSettings().mStrength = 0.2f;
        window.recordUndoState();
    }

    bool back = true;
    const int requestsBefore = window.renderRequests;
    for (auto _ : state)
    {
        back ? window.undo() : window.redo();
        back = ! back;
    }

    if (window.renderRequests - requestsBefore != (int) state.iterations())
        state.SkipWithError ("an undo or redo did not ask for exactly one render");
    state.SetLabel (acrossSwitch ? "across an effect switch" : "within one effect");
}
BENCHMARK (BM_UndoUpToItsRenderRequest)->Arg (0)->Arg (1)->Unit (benchmark::kMicrosecond);
