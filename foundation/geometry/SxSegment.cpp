#include "SxSegment.h"

#include "Geometry.h"
#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <algorithm>
#include <cmath>

void SxSegment::saveToProperties (juce::PropertySet& set, juce::StringRef key) const
{
    SxPropertySet record;
    setFloatProperty (record, "mPt1.x", mPt1.x);
    setFloatProperty (record, "mPt1.y", mPt1.y);
    setFloatProperty (record, "mPt2.x", mPt2.x);
    setFloatProperty (record, "mPt2.y", mPt2.y);
    record.writeAsRecord (set, key);
}

void SxSegment::loadFromProperties (const juce::PropertySet& set, juce::StringRef key)
{
    const auto record = SxPropertySet::readRecord (set, key);
    if (! record)
        return;
    mPt1.x = getFloatProperty (*record, "mPt1.x", 0.0f);
    mPt1.y = getFloatProperty (*record, "mPt1.y", 0.0f);
    mPt2.x = getFloatProperty (*record, "mPt2.x", 0.0f);
    mPt2.y = getFloatProperty (*record, "mPt2.y", 0.0f);
}

float pointToSegmentDistance (const SxPoint& p, const SxPoint& a, const SxPoint& b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float px = p.x - a.x, py = p.y - a.y;
    if (dx == 0.0f && dy == 0.0f)
        return std::sqrt (px * px + py * py);

    const float t = (px * dx + py * dy) / (dx * dx + dy * dy);
    if (t < 0.0f)
        return std::sqrt (px * px + py * py);
    if (t > 1.0f)
        return pointDistance (p, b);

    const float ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return std::sqrt (ex * ex + ey * ey);
}

float segmentDistance (const SxSegment& a, const SxSegment& b)
{
    SxPoint crossing;
    if (intersectSegments (a.mPt1, a.mPt2, b.mPt1, b.mPt2, crossing))
        return 0.0f;

    float best = 65535.0f;
    best = std::min (best, pointToSegmentDistance (a.mPt1, b.mPt1, b.mPt2));
    best = std::min (best, pointToSegmentDistance (a.mPt2, b.mPt1, b.mPt2));
    best = std::min (best, pointToSegmentDistance (b.mPt1, a.mPt1, a.mPt2));
    best = std::min (best, pointToSegmentDistance (b.mPt2, a.mPt1, a.mPt2));
    return best;
}
