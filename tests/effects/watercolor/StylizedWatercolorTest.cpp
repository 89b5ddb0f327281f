#include "AbstractWaterColor.h"
#include "LayerManager.h"
#include "StaticImageLayer.h"
#include "WatercolorTestSupport.h"
#include "StylizedWatercolor.h"

#include <gtest/gtest.h>

namespace
{
    /** A layer whose four caches the test can fill. */
    struct CacheProbe : public StylizedWatercolor
    {
        void fillCaches()
        {
            caches.inkOutlineMask = SxRef<SxImageAlphaByte> (new SxImageAlphaByte (2, 2));
            caches.dabLayer = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (2, 2));
            caches.paperImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (2, 2));
            caches.borderImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (2, 2));
        }

        /** Which caches are gone: ink, dabs, paper, border. */
        std::array<bool, 4> released() const
        {
            return { ! caches.inkOutlineMask, ! caches.dabLayer, ! caches.paperImage, ! caches.borderImage };
        }
    };

    struct Host : public LayerCallback
    {
        int undoRecords = 0;
        int toolDeselections = 0;
        void recordUndoState() override { ++undoRecords; }
        void selectTool (SxTool* tool) override { toolDeselections += tool == nullptr ? 1 : 0; }
    };

    void changeControl (StylizedWatercolor& layer, const char* name)
    {
        juce::Component control (name);
        layer.controlChanged (&control);
    }

    SxPropertySet savedWith (float variation, float saturation = 0.5f, float hueShift = 0.25f)
    {
        CacheProbe source;
        source.getSettings().mVariation = variation;
        source.getSettings().saturation = saturation;
        source.getSettings().hueShift = hueShift;
        SxPropertySet set;
        source.saveToPropertySet (set, {});
        return set;
    }

    /** What an undo does: loads the settings of another layer, fills the caches again, then
        loads that layer's settings once more after change (if any). */
    void loadThenLoadChanged (CacheProbe& layer, const std::function<void (WatercolorSettings&)>& change)
    {
        CacheProbe source;
        SxPropertySet first, second;
        source.saveToPropertySet (first, {});
        layer.loadFromPropertySet (first, {});
        layer.fillCaches();
        if (change)
            change (source.getSettings());
        source.saveToPropertySet (second, {});
        layer.loadFromPropertySet (second, {});
    }

    juce::String textPresetWithVariation (const char* variation)
    {
        juce::StringArray lines;
        for (int i = 0; i < 21; ++i)
            lines.add ("0");
        lines.set (3, variation);
        return lines.joinIntoString ("\n");
    }
}

TEST (StylizedWatercolor, NamesAndInstances)
{
    StylizedWatercolor stylized;
    AbstractWaterColor abstract;
    EXPECT_EQ (stylized.getClassName(), "StylizedWatercolor");
    EXPECT_EQ (abstract.getClassName(), "AbstractWaterColor");
    EXPECT_EQ (stylized.getShortName(), "Stylized");
    EXPECT_EQ (abstract.getShortName(), "Abstract");
    EXPECT_EQ (stylized.getDisplayName(), "Stylized Watercolor");
    EXPECT_EQ (abstract.getDisplayName(), "Abstract Watercolor");

    std::unique_ptr<Layer> clone (abstract.createInstance());
    EXPECT_NE (dynamic_cast<AbstractWaterColor*> (clone.get()), nullptr);
}

TEST (StylizedWatercolor, EachEventReleasesItsCaches)
{
    const ScopedArchiveNames names;
    using Released = std::array<bool, 4>; // ink, dabs, paper, border
    const Released all { true, true, true, true };

    struct Case { const char* event; std::function<void (CacheProbe&)> act; Released expected; };
    const std::vector<Case> cases {
        { "reset", [] (auto& l) { l.resetToDefaults(); }, all },
        { "randomise", [] (auto& l) { l.randomizeSettings(); }, all },
        { "outline slider", [] (auto& l) { changeControl (l, "outlineSlider"); }, { true, false, false, false } },
        { "outline detail slider", [] (auto& l) { changeControl (l, "outlineDetailSlider"); }, { true, false, false, false } },
        { "ink fill slider", [] (auto& l) { changeControl (l, "outlineThresholdSlider"); }, { true, false, false, false } },
        { "variation slider", [] (auto& l) { changeControl (l, "variationSlider"); }, { false, true, false, false } },
        { "colour shift slider", [] (auto& l) { changeControl (l, "hueShiftSlider"); }, { false, true, false, false } },
        { "paint size slider", [] (auto& l) { changeControl (l, "paintSizeSlider"); }, { false, true, false, false } },
        { "area fill slider", [] (auto& l) { changeControl (l, "edgeSizeSlider"); }, { false, true, false, false } },
        { "overall strength slider", [] (auto& l) { changeControl (l, "overallStrengthSlider"); }, { false, false, false, false } },
        { "paper picked", [] (auto& l) { l.paperChosen (1); }, { true, false, true, false } },
        { "border picked", [] (auto& l) { l.borderChosen (2); }, { true, false, false, true } },
        { "load, same dab settings", [] (auto& l) { l.loadFromPropertySet (savedWith (0.5f), {}); }, { true, false, true, true } },
        { "load again, same settings", [] (auto& l) { loadThenLoadChanged (l, {}); }, { false, false, true, true } },
        { "load again, other strength", [] (auto& l) { loadThenLoadChanged (l, [] (auto& s) { s.mStrength += 0.25f; }); }, { false, false, true, true } },
        { "load again, other outline", [] (auto& l) { loadThenLoadChanged (l, [] (auto& s) { s.mOutline += 0.25f; }); }, { true, false, true, true } },
        { "load again, other outline detail", [] (auto& l) { loadThenLoadChanged (l, [] (auto& s) { s.mOutlineDetail += 0.25f; }); }, { true, false, true, true } },
        { "load again, other ink fill", [] (auto& l) { loadThenLoadChanged (l, [] (auto& s) { s.mOutlineThreshold += 0.25f; }); }, { true, false, true, true } },
        { "load again, other border", [] (auto& l) { loadThenLoadChanged (l, [] (auto& s) { s.borderFileName = "border-02"; }); }, { true, false, true, true } },
        { "load, other variation", [] (auto& l) { l.loadFromPropertySet (savedWith (0.75f), {}); }, all },
        { "load, other saturation", [] (auto& l) { l.loadFromPropertySet (savedWith (0.5f, 0.625f), {}); }, all },
        { "load, other colour shift", [] (auto& l) { l.loadFromPropertySet (savedWith (0.5f, 0.5f, -2.0f), {}); }, all },
        { "text preset, same variation", [] (auto& l) { l.applyTextPreset (textPresetWithVariation ("0.5")); }, { true, false, true, true } },
        { "text preset, other variation", [] (auto& l) { l.applyTextPreset (textPresetWithVariation ("0.25")); }, all },
        { "drop caches", [] (auto& l) { l.dropCachedImages(); }, all },
        { "rescale to new image", [] (auto& l) { l.rescaleToNewImage (nullptr, nullptr); }, all },
        { "rescale to previous image", [] (auto& l) { l.rescaleToPreviousImage (nullptr, nullptr); }, all },
        { "source image replaced", [] (auto& l) { l.onSourceImageReplaced (nullptr, false); }, all },
    };

    for (const auto& c : cases)
    {
        CacheProbe layer;
        layer.getSettings().mVariation = 0.5f;
        layer.getSettings().saturation = 0.5f;
        layer.getSettings().hueShift = 0.25f;
        layer.fillCaches();
        c.act (layer);
        EXPECT_EQ (layer.released(), c.expected) << c.event;
    }
}

TEST (StylizedWatercolor, ControlChangesRecordUndoAndRender)
{
    CacheProbe layer;
    Host host;
    layer.setCallback (&host);
    layer.setNeedsRender (false);

    changeControl (layer, "outlineSlider");
    EXPECT_EQ (host.undoRecords, 1);
    EXPECT_TRUE (layer.needsRender());
    EXPECT_EQ (host.toolDeselections, 0);
}

TEST (StylizedWatercolor, MaskControlsOpenTheWizardWithoutRendering)
{
    struct Case { const char* control; int colorArea; int undoRecords; bool renders; };
    const std::vector<Case> cases {
        { "selectiveMaskButton", 0, 0, false },
        { "insideColorSegmentControl", WatercolorSettings::mask, 1, false },
        { "insideColorSegmentControl", WatercolorSettings::full, 1, true },
    };
    for (const auto& c : cases)
    {
        CacheProbe layer;
        Host host;
        layer.setCallback (&host);
        layer.getSettings().mInsideColor = c.colorArea;
        layer.setNeedsRender (false);

        changeControl (layer, c.control);
        EXPECT_EQ (host.toolDeselections, c.renders ? 0 : 1) << c.control;
        EXPECT_EQ (host.undoRecords, c.undoRecords) << c.control;
        EXPECT_EQ (layer.needsRender(), c.renders) << c.control;
    }
}

TEST (StylizedWatercolor, ThumbnailChoicesNameArchiveItems)
{
    const ScopedArchiveNames names;
    CacheProbe layer;
    layer.paperChosen (2);
    layer.borderChosen (0);
    EXPECT_EQ (layer.getSettings().edgeFileName, "Aged-Paper37");
    EXPECT_EQ (layer.getSettings().borderFileName, "0a-none");

    layer.fillCaches();
    layer.paperChosen (3);
    layer.borderChosen (-1);
    EXPECT_EQ (layer.getSettings().edgeFileName, "Aged-Paper37") << "an index with no item changes nothing";
    EXPECT_EQ (layer.getSettings().borderFileName, "0a-none");
    EXPECT_EQ (layer.released(), (std::array<bool, 4> { false, false, false, false }));
}

TEST (StylizedWatercolor, StackSavesAndRebuildsBothEffects)
{
    static StylizedWatercolor stylizedPrototype;
    static AbstractWaterColor abstractPrototype;
    static const bool registered = [] {
        LayerManager::registerEffectPrototype (&abstractPrototype);
        LayerManager::registerEffectPrototype (&stylizedPrototype);
        return true;
    }();
    (void) registered;

    for (bool nested : { false, true })
    {
        LayerManager source;
        source.addLayer (new StaticImageLayer());
        auto* stylized = new StylizedWatercolor();
        auto* abstract = new AbstractWaterColor();
        source.addLayer (stylized);
        source.addLayer (abstract);
        stylized->getSettings().paintFill = 0.375f;
        abstract->getSettings().hueShift = 3.5f;
        abstract->getSettings().edgeFileName = "Aged-Paper21";

        SxPropertySet set;
        source.saveToPropertySet (set, LayerSaveOptions { nested });
        EXPECT_EQ (set.getValue ("ClassName1"), "StylizedWatercolor");
        EXPECT_EQ (set.getValue ("ClassName2"), "AbstractWaterColor");

        LayerManager target;
        target.addLayer (new StaticImageLayer());
        target.loadFromPropertySet (set, nullptr, LayerSaveOptions { nested }, false);
        ASSERT_EQ (target.getNumLayers(), 3);
        auto* first = dynamic_cast<StylizedWatercolor*> (target.getLayer (1));
        auto* second = dynamic_cast<AbstractWaterColor*> (target.getLayer (2));
        ASSERT_NE (first, nullptr);
        ASSERT_NE (second, nullptr);
        EXPECT_FLOAT_EQ (first->getSettings().paintFill, 0.375f);
        EXPECT_FLOAT_EQ (second->getSettings().hueShift, 3.5f);
        EXPECT_EQ (second->getSettings().edgeFileName, "Aged-Paper21");
    }
}

namespace
{
    SelectMaskData maskWithOutline (float x)
    {
        SelectMaskData mask;
        SxStroke stroke;
        stroke.mLine.resize (1);
        stroke.mLine[0].x = x;
        mask.strokes.push_back (stroke);
        SxBezierCurve outline;
        BezierNode node;
        node.mAnchor.x = x;
        node.mAnchor.y = 2.0f * x;
        outline.appendNode (node);
        mask.curves.push_back (outline);
        return mask;
    }
}

TEST (StylizedWatercolor, MaskTravelsWithTheSettings)
{
    CacheProbe source;
    source.maskApplied (maskWithOutline (40.0f));
    SxPropertySet set;
    source.saveToPropertySet (set, {});
    EXPECT_EQ (set.getAllProperties().getAllKeys().strings.getLast(), "SelectiveMaskData");

    CacheProbe loaded;
    for (int round = 0; round < 2; ++round)
        loaded.loadFromPropertySet (set, {});
    ASSERT_EQ (loaded.getMaskData().curves.size(), 1u);
    EXPECT_FLOAT_EQ (loaded.getMaskData().curves[0].nodes[0].mAnchor.y, 80.0f);
    EXPECT_EQ (loaded.getMaskData().strokes.size(), 1u);

    set.removeValue ("SelectiveMaskData");
    loaded.loadFromPropertySet (set, {});
    EXPECT_FALSE (loaded.hasTracedOutlines()) << "settings without a mask empty the mask";
}

TEST (StylizedWatercolor, AppliedMaskRendersAndAllowsColorAreaMask)
{
    CacheProbe layer;
    Host host;
    layer.setCallback (&host);
    layer.setNeedsRender (false);

    const auto applied = maskWithOutline (5.0f);
    layer.maskApplied (applied);
    EXPECT_EQ (host.toolDeselections, 1);
    EXPECT_TRUE (layer.needsRender());
    EXPECT_TRUE (layer.hasTracedOutlines());

    // With outlines, choosing Mask renders instead of opening the wizard.
    layer.setNeedsRender (false);
    layer.getSettings().mInsideColor = WatercolorSettings::mask;
    changeControl (layer, "insideColorSegmentControl");
    EXPECT_TRUE (layer.needsRender());
    EXPECT_EQ (host.toolDeselections, 1);

    layer.maskCancelled();
    EXPECT_EQ (host.toolDeselections, 2);
    EXPECT_TRUE (layer.hasTracedOutlines()) << "cancelling keeps the mask";
}

TEST (StylizedWatercolor, AnAppliedMaskIsRecordedForUndoOnceTakenOver)
{
    // The host notes how many outlines the layer holds whenever it is asked for a snapshot.
    struct SnapshotHost : public LayerCallback
    {
        const StylizedWatercolor* layer = nullptr;
        std::vector<size_t> outlinesAtRecord;
        void recordUndoState() override  { outlinesAtRecord.push_back (layer->getMaskData().curves.size()); }
    };

    CacheProbe layer;
    SnapshotHost host;
    host.layer = &layer;
    layer.setCallback (&host);

    layer.maskApplied (maskWithOutline (5.0f));
    EXPECT_EQ (host.outlinesAtRecord, std::vector<size_t> { 1 }) << "one snapshot, holding the applied mask";

    layer.maskCancelled();
    EXPECT_EQ (host.outlinesAtRecord.size(), 1u) << "a cancelled wizard changes nothing to record";
}

TEST (StylizedWatercolor, RandomisingPicksMaskOnlyWhenOutlinesExist)
{
    CacheProbe layer;
    int maskChoices = 0;
    for (int i = 0; i < 300; ++i)
    {
        layer.randomizeSettings();
        EXPECT_NE (layer.getSettings().mInsideColor, WatercolorSettings::mask);
    }
    layer.maskApplied (maskWithOutline (1.0f));
    for (int i = 0; i < 300; ++i)
    {
        layer.randomizeSettings();
        maskChoices += layer.getSettings().mInsideColor == WatercolorSettings::mask ? 1 : 0;
    }
    EXPECT_GT (maskChoices, 0);
}

TEST (StylizedWatercolor, MaskFollowsTheImage)
{
    CacheProbe layer;
    layer.maskApplied (maskWithOutline (100.0f));
    SxImageRgbaBytes small (1000, 500), large (2000, 1000);

    layer.rescaleToNewImage (&small, &large);
    EXPECT_FLOAT_EQ (layer.getMaskData().curves[0].nodes[0].mAnchor.x, 200.0f);
    EXPECT_FLOAT_EQ (layer.getMaskData().strokes[0].mLine[0].x, 200.0f);
    layer.rescaleToPreviousImage (&small, &large);
    EXPECT_FLOAT_EQ (layer.getMaskData().curves[0].nodes[0].mAnchor.x, 100.0f);

    layer.onSourceImageReplaced (&large, false);
    EXPECT_TRUE (layer.getMaskData().strokes.empty());
    EXPECT_FALSE (layer.hasTracedOutlines());
}

TEST (StylizedWatercolor, MaskComesBackUnchangedAfterEveryFullSizeRender)
{
    // Sizes whose ratio is no power of two: a mapping there and back in floats drifts.
    CacheProbe layer;
    layer.maskApplied (maskWithOutline (3.33f));
    const auto before = layer.getMaskData();
    SxImageRgbaBytes working (1301, 977, SxImageRgbaBytes::uninitialised), full (4000, 3003, SxImageRgbaBytes::uninitialised);

    for (int save = 0; save < 5; ++save)
    {
        layer.rescaleToNewImage (&working, &full);
        EXPECT_NEAR (layer.getMaskData().curves[0].nodes[0].mAnchor.x, 3.33f * 4000.0f / 1301.0f, 0.01f);
        layer.rescaleToPreviousImage (&working, &full);
    }

    const auto& after = layer.getMaskData();
    EXPECT_EQ (after.curves[0].nodes[0].mAnchor.x, before.curves[0].nodes[0].mAnchor.x);
    EXPECT_EQ (after.curves[0].nodes[0].mAnchor.y, before.curves[0].nodes[0].mAnchor.y);
    EXPECT_EQ (after.strokes[0].mLine[0].x, before.strokes[0].mLine[0].x);
}
