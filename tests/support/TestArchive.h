#pragma once

// A resource archive written by a test: groups of named items with the bytes the test
// chooses, unscrambled. Header-only, so only test programs that link the foundation (which
// reads archives) compile it.

#include "PropertyValues.h"
#include "SxPropertySet.h"

#include <juce_graphics/juce_graphics.h>

#include <map>
#include <vector>

namespace sxtest
{
    struct ArchiveItem
    {
        /** As the index stores it, usually with an extension ("Quenza-01.jpg"). */
        juce::String name;
        juce::MemoryBlock bytes;
    };

    using ArchiveGroups = std::map<juce::String, std::vector<ArchiveItem>>;

    inline juce::MemoryBlock pngBytes (const juce::Image& image)
    {
        juce::MemoryOutputStream png;
        juce::PNGImageFormat().writeImageToStream (image, png);
        return png.getMemoryBlock();
    }

    /** An opaque width x height PNG of one colour. */
    inline juce::MemoryBlock pngBytes (int width, int height, juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        image.clear (image.getBounds(), colour);
        return pngBytes (image);
    }

    /** Writes the archive (items first, then the index) over file; false when that fails. */
    inline bool writeResourceArchive (const juce::File& file, const ArchiveGroups& groups)
    {
        juce::MemoryOutputStream items;
        SxPropertySet index;
        index.setValue ("binaryFileVersion", "0");

        for (const auto& [group, entries] : groups)
        {
            SxPropertySet set;
            setIntProperty (set, "Count", (int) entries.size());
            for (size_t i = 0; i < entries.size(); ++i)
            {
                const auto n = juce::String ((int) i);
                setStringProperty (set, "Name" + n, entries[i].name);
                setIntProperty (set, "Location" + n, 8 + (int) items.getDataSize());
                setIntProperty (set, "Size" + n, (int) entries[i].bytes.getSize());
                items << entries[i].bytes;
            }
            juce::PropertySet outer;
            set.writeAsRecord (outer, "g");
            index.setValue (group, outer.getValue ("g"));
        }

        juce::MemoryOutputStream indexBytes;
        index.writeToStream (indexBytes);

        juce::MemoryOutputStream out;
        out.writeInt64 (8 + (juce::int64) items.getDataSize());
        out << items.getMemoryBlock();
        out.writeInt64 ((juce::int64) indexBytes.getDataSize());
        out << indexBytes.getMemoryBlock();
        return file.replaceWithData (out.getData(), out.getDataSize());
    }
}
