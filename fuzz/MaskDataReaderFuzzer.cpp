// Feeds arbitrary bytes, as a base-64 block and as record text, to the readers of saved
// mask data: point lists, strokes, Bezier curves, placements and segments.
#include "PointLists.h"
#include "SxBezierCurve.h"
#include "SxPlacement.h"
#include "SxPropertySet.h"
#include "SxSegment.h"
#include "SxStroke.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    SxPropertySet set;
    set.setValue ("block", juce::MemoryBlock (data, size).toBase64Encoding());
    set.setValue ("text", juce::String::createStringFromData (data, (int) size));

    for (const char* key : { "block", "text" })
    {
        std::vector<SxPoint> points;
        readPointList (points, set, key);
        if (points.size() > size)
            __builtin_trap();

        SxBezierCurve curve;
        curve.loadFromProperties (set, key);
        if (curve.nodes.size() > size)
            __builtin_trap();
        for (int i = -1; i <= curve.getNumSegments(); ++i)
            curve.getSegment (i);

        SxStroke stroke;
        stroke.loadFromProperties (set, key);
        stroke.remapToSize (SxPoint { 10.0f, 10.0f }, SxPoint { 0.0f, 3.0f });

        SxPlacement placement;
        placement.loadFromProperties (set, key, SxPoint { 640.0f, 480.0f }, (int) (size % 5));
        placement.getCoverageAt (SxPoint { 1.0f, 2.0f }, true);
        placement.intersectRect (RectBounds { 0.0f, 0.0f, 100.0f, 100.0f });

        SxSegment segment;
        segment.loadFromProperties (set, key);
    }
    return 0;
}
