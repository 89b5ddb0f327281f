#include "LayerRegistry.h"

#include "Layer.h"

#include <cstring>

namespace
{
    std::vector<Layer*>& effectRegistry()
    {
        static std::vector<Layer*> gLayerEffectRegistry;
        return gLayerEffectRegistry;
    }

    std::vector<Layer*>& subLayerRegistry()
    {
        static std::vector<Layer*> gSubLayerEffectRegistry;
        return gSubLayerEffectRegistry;
    }
}

juce::String classNameFromTypeName (const char* typeName)
{
    if (typeName == nullptr)
        return {};
    const auto length = std::strlen (typeName);
    const size_t prefix = length <= 10 ? 1 : (length <= 101 ? 2 : 3);
    if (length <= prefix)
        return {};
    return juce::String::fromUTF8 (typeName + prefix);
}

void registerEffectPrototype (Layer* prototype)
{
    if (prototype != nullptr)
        effectRegistry().push_back (prototype);
}

Layer* createLayerByClassName (const juce::String& name)
{
    for (auto* registry : { &effectRegistry(), &subLayerRegistry() })
        for (auto* prototype : *registry)
            if (prototype->getClassName() == name)
                return prototype->createInstance();
    return nullptr;
}

const std::vector<Layer*>& getEffectPrototypes()
{
    return effectRegistry();
}
