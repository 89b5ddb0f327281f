// Feeds arbitrary bytes to the XML reader behind every stored text. Whatever it accepts
// stays within its depth limit, and written back by the framework is accepted again:
// a stored text stays readable.
#include "SxPropertySet.h"
#include "XmlTextReader.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto xml = SxPropertySet::parseXmlText (juce::String::createStringFromData (data, (int) size));
    if (xml == nullptr)
        return 0;

    std::vector<std::pair<const juce::XmlElement*, int>> pending { { xml.get(), 1 } };
    while (! pending.empty())
    {
        const auto [element, depth] = pending.back();
        pending.pop_back();
        if (depth > XmlTextReader::maxDepth)
            __builtin_trap();
        for (auto* child = element->getFirstChildElement(); child != nullptr; child = child->getNextElement())
            pending.emplace_back (child, depth + 1);
    }

    if (SxPropertySet::parseXmlText (xml->toString()) == nullptr)
        __builtin_trap();

    SxPropertySet set;
    set.restoreFromPlistXml (*xml);
    if (SxPropertySet::parseXmlText (set.createPlistXml()->toString()) == nullptr)
        __builtin_trap();
    return 0;
}
