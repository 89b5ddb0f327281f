#pragma once

#include "SxPoint.h"

#include <juce_core/juce_core.h>

#include <vector>

/** An anchor with its incoming (mHandle1) and outgoing (mHandle2) handle. */
struct BezierNode
{
    SxPoint mAnchor;
    SxPoint mHandle1;
    SxPoint mHandle2;
};

/** One cubic segment: control points p0..p3 and the polynomial coefficients with
    x(t) = ax t³ + bx t² + cx t + p0.x (likewise y) for t in 0..1. */
struct BezierSegment
{
    SxPoint p0, p1, p2, p3;
    double ax = 0.0, bx = 0.0, cx = 0.0, ay = 0.0, by = 0.0, cy = 0.0;
};

/** An outline of cubic Bezier segments, traced from a mask or restored from a saved set.

    Saved under a key as the framework's base-64 memory-block text of a little-endian
    block: int32 258, int32 closed, int32 positivePath, int32 node count, then six
    float32 per node (anchor, handle 1, handle 2; x and y each). An older nested record
    ("Closed", "PositivePath", "PointCount" and "<i>mAnchor.x" ... "<i>mHandle2.y") is
    still read. Points read back get weight 1 and further floats 0.
*/
class SxBezierCurve
{
public:
    /** Appends a copy of the node. */
    void appendNode (const BezierNode& node);

    /** Number of segments: one per node when closed, one fewer when open, and the one
        degenerate segment of a single node. */
    int getNumSegments() const noexcept;

    /** Segment index (0 .. getNumSegments() - 1) from node index to the next node (node 0
        after the last when closed). A single node gives the degenerate segment
        anchor, handle 2, anchor, anchor. An index out of range gives a segment of zeros. */
    BezierSegment getSegment (int index) const;

    /** Stores the curve block text under key. */
    void saveToProperties (juce::PropertySet& set, juce::StringRef key) const;

    /** Replaces nodes and flags from the block or the older record under key. A missing
        or empty key empties the nodes and keeps the flags. No more nodes are read than
        the data can hold; a node cut short reads its missing values as 0. */
    void loadFromProperties (const juce::PropertySet& set, juce::StringRef key);

    std::vector<BezierNode> nodes;
    bool closed = false;
    bool positivePath = true;   // an outer boundary; false for a hole
};
