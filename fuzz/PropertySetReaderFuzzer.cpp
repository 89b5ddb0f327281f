// Feeds arbitrary bytes to both property-set readers: the stream form, and the XML
// property-list form (with its image entries), then writes the result back out.
#include "SxPropertySet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    {
        juce::MemoryInputStream in (data, size, false);
        SxPropertySet set;
        set.readFromStream (in);
        if (in.getPosition() > (juce::int64) size)
            __builtin_trap();

        juce::MemoryOutputStream out;
        set.writeToStream (out);
    }

    if (auto xml = SxPropertySet::parseXmlText (juce::String::createStringFromData (data, (int) size)))
    {
        SxPropertySet set;
        set.restoreFromPlistXml (*xml);
        set.createPlistXml();
    }
    return 0;
}
