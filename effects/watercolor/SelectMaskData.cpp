#include "SelectMaskData.h"

#include "Geometry.h"
#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <cmath>

namespace
{
    bool isUsableSize (const SxPoint& size)
    {
        return std::isfinite (size.x) && std::isfinite (size.y) && size.x > 0.0f && size.y > 0.0f;
    }

    /** The stored count, kept to the items actually present: reading stops at the first
        missing key. */
    int presentItems (const juce::PropertySet& set, const juce::String& countKey, const juce::String& prefix)
    {
        const int stored = set.getIntValue (countKey, 0);
        int present = 0;
        while (present < stored && set.containsKey (prefix + juce::String (present)))
            ++present;
        return present;
    }
}

void SelectMaskData::clear()
{
    strokes.clear();
    curves.clear();
}

void SelectMaskData::rescale (const SxPoint& newSize, const SxPoint& oldSize)
{
    if (! isUsableSize (newSize) || ! isUsableSize (oldSize))
        return;

    for (auto& stroke : strokes)
        stroke.remapToSize (newSize, oldSize);

    for (auto& curve : curves)
        for (auto& node : curve.nodes)
            for (auto* point : { &node.mAnchor, &node.mHandle1, &node.mHandle2 })
                scaleWithAspectMode (*point, newSize, oldSize, 1);
}

void SelectMaskData::saveToPropertySet (juce::PropertySet& set, juce::StringRef key) const
{
    SxPropertySet record;
    setIntProperty (record, "StrokeCount", (int) strokes.size());
    for (size_t i = 0; i < strokes.size(); ++i)
        strokes[i].saveToProperties (record, "Stroke" + juce::String ((int) i));
    setIntProperty (record, "CurveCount", (int) curves.size());
    for (size_t i = 0; i < curves.size(); ++i)
        curves[i].saveToProperties (record, "Curve" + juce::String ((int) i));
    record.writeAsRecord (set, key);
}

void SelectMaskData::loadFromPropertySet (const juce::PropertySet& set, juce::StringRef key)
{
    clear();
    const auto record = SxPropertySet::readRecord (set, key);
    if (! record)
        return;

    const int strokeCount = presentItems (*record, "StrokeCount", "Stroke");
    strokes.reserve ((size_t) strokeCount);
    for (int i = 0; i < strokeCount; ++i)
    {
        SxStroke stroke;
        stroke.loadFromProperties (*record, "Stroke" + juce::String (i));
        strokes.push_back (std::move (stroke));
    }

    const int curveCount = presentItems (*record, "CurveCount", "Curve");
    curves.reserve ((size_t) curveCount);
    for (int i = 0; i < curveCount; ++i)
    {
        SxBezierCurve curve;
        curve.loadFromProperties (*record, "Curve" + juce::String (i));
        curves.push_back (std::move (curve));
    }
}
