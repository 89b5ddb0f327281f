// Reading a large stored layer stack: three watercolour layers, each with a selective mask
// of painted strokes and traced outlines, in the legacy XML form of the whole stack (every
// layer's settings and mask nested as escaped XML text inside it).
#include "LayerSaveOptions.h"
#include "PropertyValues.h"
#include "StylizedWatercolor.h"
#include "SxPropertySet.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
    /** A layer whose mask holds what a user paints and traces on a photograph: 40
        strokes of 250 points, 12 outlines of 300 nodes. */
    class MaskedLayer : public StylizedWatercolor
    {
    public:
        explicit MaskedLayer (int seed)
        {
            setName ("Layer " + juce::String (seed));
            for (int s = 0; s < 40; ++s)
            {
                SxStroke stroke;
                for (int i = 0; i < 250; ++i)
                    stroke.mLine.push_back (SxPoint { 100.0f + (float) (s * 37 + seed) + 3.1f * (float) i,
                                                      200.0f + 80.0f * std::sin ((float) i * 0.05f + (float) s) });
                stroke.mDiameter = 12.0f + (float) s;
                stroke.mOpacity = s % 2 == 0 ? 1.0f : 0.5f;
                maskData.strokes.push_back (stroke);
            }
            for (int c = 0; c < 12; ++c)
            {
                SxBezierCurve outline;
                outline.closed = true;
                outline.positivePath = c % 3 != 0;
                for (int i = 0; i < 300; ++i)
                {
                    const float a = (float) i * 0.021f, r = 150.0f + (float) (c * 20);
                    const SxPoint anchor { 800.0f + r * std::cos (a), 600.0f + r * std::sin (a) };
                    outline.appendNode ({ anchor, { anchor.x - 2.5f, anchor.y - 1.25f }, { anchor.x + 2.5f, anchor.y + 1.25f } });
                }
                maskData.curves.push_back (outline);
            }
        }
    };

    /** The stack as the legacy project form stores it: one XML property list whose
        EffectDictionary keys hold each layer's settings as nested XML text. */
    juce::String layerStackText()
    {
        SxPropertySet stack;
        setIntProperty (stack, "LayerCount", 3);
        setIntProperty (stack, "SelectedLayer", 1);
        for (int i = 1; i <= 3; ++i)
        {
            MaskedLayer layer (i);
            SxPropertySet settings;
            layer.saveToPropertySet (settings, LayerSaveOptions { false });
            setStringProperty (stack, "ClassName" + juce::String (i), layer.getClassName());
            settings.writeAsRecord (stack, "EffectDictionary" + juce::String (i));
            setIntProperty (stack, "SubLayerCount" + juce::String (i), 0);
        }
        return stack.createPlistXml()->toString (juce::XmlElement::TextFormat().singleLine());
    }
}

static void BM_ParseLayerStackText (benchmark::State& state)
{
    const auto text = layerStackText();
    for (auto _ : state)
        benchmark::DoNotOptimize (SxPropertySet::parseXmlText (text));
    state.SetBytesProcessed ((int64_t) state.iterations() * (int64_t) text.getNumBytesAsUTF8());
    state.counters["textMB"] = (double) text.getNumBytesAsUTF8() / 1.0e6;
}
BENCHMARK (BM_ParseLayerStackText)->Unit (benchmark::kMillisecond);

// The whole road of loading one layer's mask: the stack text, the layer's record, the mask
// record and every stroke and outline record inside it.
static void BM_LoadMaskedLayerFromStackText (benchmark::State& state)
{
    const auto text = layerStackText();
    StylizedWatercolor layer;
    for (auto _ : state)
    {
        SxPropertySet stack;
        stack.restoreFromPlistXml (*SxPropertySet::parseXmlText (text));
        layer.loadFromPropertySet (*SxPropertySet::readRecord (stack, "EffectDictionary2"), LayerSaveOptions { false });
        benchmark::DoNotOptimize (layer.getMaskData().strokes.size());
    }
}
BENCHMARK (BM_LoadMaskedLayerFromStackText)->Unit (benchmark::kMillisecond);
