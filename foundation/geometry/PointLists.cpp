#include "PointLists.h"

#include "ImageBlob.h"
#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <algorithm>

namespace
{
    constexpr int blockTag = 258;

    // Items a stream can still supply: a partly present item counts, whole missing ones do not.
    int64_t itemsAvailable (juce::InputStream& stream, int64_t itemBytes)
    {
        const auto remaining = std::max<int64_t> (stream.getNumBytesRemaining(), 0);
        return (remaining + itemBytes - 1) / itemBytes;
    }
}

void writePointList (const std::vector<SxPoint>& points, juce::PropertySet& set, juce::StringRef key)
{
    juce::MemoryBlock block;
    {
        juce::MemoryOutputStream out (block, false);
        out.writeInt (blockTag);
        out.writeInt ((int) points.size());
        for (const auto& p : points)
            for (float v : { p.x, p.y, p.weight, p.aux1, p.aux2, p.aux3 })
                out.writeFloat (v);
    }
    set.setValue (key, block.toBase64Encoding());
}

void readPointList (std::vector<SxPoint>& points, const juce::PropertySet& set, juce::StringRef key)
{
    points.clear();

    const auto text = set.getValue (key);
    if (text.isEmpty())
        return;

    if (auto record = SxPropertySet::readRecord (set, key))
    {
        // A genuine record has keys for its items; a count beyond its key count is damage.
        const int count = std::min (record->getIntValue ("Count", 0), record->getAllProperties().size());
        for (int i = 0; i < count; ++i)
        {
            SxPoint p;
            p.x = getFloatProperty (*record, "Item=" + juce::String (i) + "ValueX", 0.0f);
            p.y = getFloatProperty (*record, "Item=" + juce::String (i) + "ValueY", 0.0f);
            points.push_back (p);
        }
        return;
    }

    juce::MemoryBlock block;
    ImageBlob::decodeBase64 (text, block);
    juce::MemoryInputStream in (block, false);

    const int first = in.readInt();
    if (first == blockTag)
    {
        const int announced = in.readInt();
        const auto count = std::min<int64_t> (announced, itemsAvailable (in, 24));
        for (int64_t i = 0; i < count; ++i)
        {
            SxPoint p;
            for (float* v : { &p.x, &p.y, &p.weight, &p.aux1, &p.aux2, &p.aux3 })
                *v = in.readFloat();
            points.push_back (p);
        }
        return;
    }

    const auto count = std::min<int64_t> (first, itemsAvailable (in, 8));
    for (int64_t i = 0; i < count; ++i)
    {
        SxPoint p;
        p.x = in.readFloat();
        p.y = in.readFloat();
        points.push_back (p);
    }
}
