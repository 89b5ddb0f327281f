#pragma once

#include "SxPoint.h"

#include <juce_core/juce_core.h>

/** A stored line segment from mPt1 to mPt2. */
class SxSegment
{
public:
    SxSegment() = default;
    SxSegment (const SxPoint& from, const SxPoint& to) : mPt1 (from), mPt2 (to) {}

    /** Writes "mPt1.x", "mPt1.y", "mPt2.x", "mPt2.y" as a nested record under key. */
    void saveToProperties (juce::PropertySet& set, juce::StringRef key) const;

    /** Reads the four coordinates (each 0 when absent) from the nested record under key;
        nothing changes when the record is missing or unreadable. */
    void loadFromProperties (const juce::PropertySet& set, juce::StringRef key);

    SxPoint mPt1;
    SxPoint mPt2;
};

/** Smallest distance between two segments: 0 when intersectSegments reports a crossing,
    else the smallest of 65535 and the distances of each end point to the other segment.
    Float arithmetic throughout. */
float segmentDistance (const SxSegment& a, const SxSegment& b);

/** Distance of p to the segment from a to b (to a when the segment is a single point). */
float pointToSegmentDistance (const SxPoint& p, const SxPoint& a, const SxPoint& b);
