#pragma once

#include <juce_core/juce_core.h>

#include <initializer_list>

namespace sxtest
{
    /** The base-64 text of a little-endian block of the ints, then the floats, as binary
        blocks lie inside a property set. */
    inline juce::String blockText (std::initializer_list<int> ints, std::initializer_list<float> floats)
    {
        juce::MemoryBlock block;
        {
            juce::MemoryOutputStream out (block, false);
            for (int i : ints)
                out.writeInt (i);
            for (float f : floats)
                out.writeFloat (f);
        }
        return block.toBase64Encoding();
    }
}
