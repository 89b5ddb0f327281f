#include "SxBezierCurve.h"

#include "ImageBlob.h"
#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <algorithm>

namespace
{
    constexpr int blockTag = 258;
    constexpr int64_t nodeBytes = 24;
}

void SxBezierCurve::appendNode (const BezierNode& node)
{
    nodes.push_back (node);
}

int SxBezierCurve::getNumSegments() const noexcept
{
    const int count = (int) nodes.size();
    if (count <= 1)
        return count;
    return closed ? count : count - 1;
}

BezierSegment SxBezierCurve::getSegment (int index) const
{
    BezierSegment seg;
    if (index < 0 || index >= getNumSegments())
    {
        seg.p0 = seg.p1 = seg.p2 = seg.p3 = SxPoint { 0.0f, 0.0f, 0.0f };
        return seg;
    }

    if (nodes.size() == 1)
    {
        seg.p0 = nodes[0].mAnchor;
        seg.p1 = nodes[0].mHandle2;
        seg.p2 = nodes[0].mAnchor;
        seg.p3 = nodes[0].mAnchor;
    }
    else
    {
        const auto& node = nodes[(size_t) index];
        const auto& next = nodes[((size_t) index + 1) % nodes.size()];
        seg.p0 = node.mAnchor;
        seg.p1 = node.mHandle2;
        seg.p2 = next.mHandle1;
        seg.p3 = next.mAnchor;
    }

    seg.cx = 3.0 * ((double) seg.p1.x - seg.p0.x);
    seg.bx = 3.0 * ((double) seg.p2.x - seg.p1.x) - seg.cx;
    seg.ax = (double) seg.p3.x - seg.p0.x - seg.cx - seg.bx;
    seg.cy = 3.0 * ((double) seg.p1.y - seg.p0.y);
    seg.by = 3.0 * ((double) seg.p2.y - seg.p1.y) - seg.cy;
    seg.ay = (double) seg.p3.y - seg.p0.y - seg.cy - seg.by;
    return seg;
}

void SxBezierCurve::saveToProperties (juce::PropertySet& set, juce::StringRef key) const
{
    juce::MemoryBlock block;
    {
        juce::MemoryOutputStream out (block, false);
        out.writeInt (blockTag);
        out.writeInt (closed ? 1 : 0);
        out.writeInt (positivePath ? 1 : 0);
        out.writeInt ((int) nodes.size());
        for (const auto& n : nodes)
            for (float v : { n.mAnchor.x, n.mAnchor.y, n.mHandle1.x, n.mHandle1.y, n.mHandle2.x, n.mHandle2.y })
                out.writeFloat (v);
    }
    set.setValue (key, block.toBase64Encoding());
}

void SxBezierCurve::loadFromProperties (const juce::PropertySet& set, juce::StringRef key)
{
    nodes.clear();

    const auto text = set.getValue (key);
    if (text.isEmpty())
        return;

    if (auto record = SxPropertySet::readRecord (set, key))
    {
        closed = record->getIntValue ("Closed", 0) != 0;
        positivePath = record->getIntValue ("PositivePath", 0) != 0;
        // A genuine record has keys for its nodes; a count beyond its key count is damage.
        const int count = std::min (record->getIntValue ("PointCount", 0), record->getAllProperties().size());
        for (int i = 0; i < count; ++i)
        {
            const juce::String prefix (i);
            auto read = [&] (const char* name) { return getFloatProperty (*record, prefix + name, 0.0f); };
            BezierNode n;
            n.mAnchor = SxPoint { read ("mAnchor.x"), read ("mAnchor.y") };
            n.mHandle1 = SxPoint { read ("mHandle1.x"), read ("mHandle1.y") };
            n.mHandle2 = SxPoint { read ("mHandle2.x"), read ("mHandle2.y") };
            nodes.push_back (n);
        }
        return;
    }

    juce::MemoryBlock block;
    ImageBlob::decodeBase64 (text, block);
    juce::MemoryInputStream in (block, false);

    in.readInt();   // the tag; older writers stored other values here
    closed = in.readInt() != 0;
    positivePath = in.readInt() != 0;
    const int64_t count = in.readInt();
    const int64_t available = (std::max<int64_t> (in.getNumBytesRemaining(), 0) + nodeBytes - 1) / nodeBytes;
    for (int64_t i = 0; i < std::min (count, available); ++i)
    {
        BezierNode n;
        for (SxPoint* p : { &n.mAnchor, &n.mHandle1, &n.mHandle2 })
        {
            p->x = in.readFloat();
            p->y = in.readFloat();
        }
        nodes.push_back (n);
    }
}
