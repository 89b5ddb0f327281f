#include "SelectMaskData.h"
#include "SxPropertySet.h"

#include <gtest/gtest.h>

namespace
{
    SxPoint point (float x, float y)
    {
        SxPoint p;
        p.x = x;
        p.y = y;
        return p;
    }

    SelectMaskData sampleMask()
    {
        SelectMaskData mask;
        SxStroke stroke;
        stroke.mLine = { point (10, 20), point (300, 400) };
        stroke.mDiameter = 24.0f;
        stroke.mOpacity = 0.5f;
        mask.strokes.push_back (stroke);
        stroke.mLine = { point (1, 2) };
        mask.strokes.push_back (stroke);

        SxBezierCurve outline;
        outline.closed = true;
        outline.appendNode ({ point (100, 50), point (90, 40), point (110, 60) });
        outline.appendNode ({ point (500, 250), point (490, 240), point (510, 260) });
        mask.curves.push_back (outline);
        outline.positivePath = false;
        mask.curves.push_back (outline);
        return mask;
    }

    std::vector<float> coordinates (const SelectMaskData& mask)
    {
        std::vector<float> all;
        for (const auto& stroke : mask.strokes)
        {
            for (const auto& p : stroke.mLine)
                all.insert (all.end(), { p.x, p.y });
            all.push_back (stroke.mDiameter);
        }
        for (const auto& curve : mask.curves)
            for (const auto& node : curve.nodes)
                for (const auto* p : { &node.mAnchor, &node.mHandle1, &node.mHandle2 })
                    all.insert (all.end(), { p->x, p->y });
        return all;
    }
}

TEST (SelectMaskData, EmptyDataRoundTrips)
{
    SxPropertySet layerSet;
    SelectMaskData().saveToPropertySet (layerSet, "SelectiveMaskData");
    auto record = SxPropertySet::readRecord (layerSet, "SelectiveMaskData");
    ASSERT_TRUE (record.has_value());
    EXPECT_EQ (record->getAllProperties().getAllKeys(), (juce::StringArray { "StrokeCount", "CurveCount" }));
    EXPECT_EQ (record->getValue ("StrokeCount"), "0");
    EXPECT_EQ (record->getValue ("CurveCount"), "0");

    SelectMaskData loaded = sampleMask();
    loaded.loadFromPropertySet (layerSet, "SelectiveMaskData");
    EXPECT_TRUE (loaded.strokes.empty());
    EXPECT_FALSE (loaded.hasOutlines());
}

TEST (SelectMaskData, LoadReplacesTheListsEveryTime)
{
    SxPropertySet layerSet;
    sampleMask().saveToPropertySet (layerSet, "SelectiveMaskData");

    SelectMaskData loaded;
    for (int round = 0; round < 2; ++round)
    {
        loaded.loadFromPropertySet (layerSet, "SelectiveMaskData");
        ASSERT_EQ (loaded.strokes.size(), 2u) << "round " << round;
        ASSERT_EQ (loaded.curves.size(), 2u) << "round " << round;
    }
    EXPECT_EQ (coordinates (loaded), coordinates (sampleMask()));
    EXPECT_TRUE (loaded.curves[0].closed);
    EXPECT_TRUE (loaded.curves[0].positivePath);
    EXPECT_FALSE (loaded.curves[1].positivePath);
    EXPECT_FLOAT_EQ (loaded.strokes[0].mOpacity, 0.5f);

    struct Case { const char* what; std::function<void (SxPropertySet&)> damage; };
    const std::vector<Case> emptying {
        { "missing key", [] (auto& set) { set.removeValue ("SelectiveMaskData"); } },
        { "not XML", [] (auto& set) { set.setValue ("SelectiveMaskData", "<plist><dict><key>Str"); } },
    };
    for (const auto& c : emptying)
    {
        auto damaged = layerSet;
        c.damage (damaged);
        SelectMaskData mask = sampleMask();
        mask.loadFromPropertySet (damaged, "SelectiveMaskData");
        EXPECT_TRUE (mask.strokes.empty()) << c.what;
        EXPECT_TRUE (mask.curves.empty()) << c.what;
    }
}

TEST (SelectMaskData, DamagedCountsReadOnlyWhatIsThere)
{
    struct Case { const char* strokeCount; const char* curveCount; size_t strokes, curves; };
    const std::vector<Case> cases {
        { "2147483647", "2147483647", 2, 2 },
        { "-3", "1", 0, 1 },
        { "1", "0", 1, 0 },
        { "junk", "2", 0, 2 },
    };
    SxPropertySet layerSet;
    sampleMask().saveToPropertySet (layerSet, "SelectiveMaskData");
    for (const auto& c : cases)
    {
        auto record = *SxPropertySet::readRecord (layerSet, "SelectiveMaskData");
        record.setValue ("StrokeCount", c.strokeCount);
        record.setValue ("CurveCount", c.curveCount);
        SxPropertySet damaged;
        record.writeAsRecord (damaged, "SelectiveMaskData");

        SelectMaskData mask;
        mask.loadFromPropertySet (damaged, "SelectiveMaskData");
        EXPECT_EQ (mask.strokes.size(), c.strokes) << c.strokeCount;
        EXPECT_EQ (mask.curves.size(), c.curves) << c.curveCount;
    }

    // A gap ends the list: items after a missing key are not read.
    auto record = *SxPropertySet::readRecord (layerSet, "SelectiveMaskData");
    record.removeValue ("Curve0");
    SxPropertySet gapped;
    record.writeAsRecord (gapped, "SelectiveMaskData");
    SelectMaskData mask;
    mask.loadFromPropertySet (gapped, "SelectiveMaskData");
    EXPECT_TRUE (mask.curves.empty());
}

TEST (SelectMaskData, RescaleThereAndBackRestores)
{
    SelectMaskData mask = sampleMask();
    const auto original = coordinates (mask);
    mask.rescale (point (2000, 1000), point (1000, 500));

    const auto doubled = coordinates (mask);
    ASSERT_EQ (doubled.size(), original.size());
    for (size_t i = 0; i < original.size(); ++i)
        EXPECT_FLOAT_EQ (doubled[i], original[i] * 2.0f) << i;

    mask.rescale (point (1000, 500), point (2000, 1000));
    EXPECT_EQ (coordinates (mask), original);

    for (const auto& bad : { point (0, 500), point (1000, -1), point (std::numeric_limits<float>::infinity(), 5) })
    {
        mask.rescale (point (100, 100), bad);
        mask.rescale (bad, point (100, 100));
        EXPECT_EQ (coordinates (mask), original) << "an unusable size changes nothing";
    }
}
