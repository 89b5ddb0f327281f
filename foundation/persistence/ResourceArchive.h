#pragma once

#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxSmartPtr.h"

#include <juce_graphics/juce_graphics.h>

#include <cstdint>

/** The read-only archive of papers, borders, thumbnails, brush atlases and textures.

    File layout, little-endian: int64 index offset (low 32 bits used, signed); at that
    offset an int64 index length (low 32 bits) and the index, an SxPropertySet in its
    stream form. Each index key names a group whose value is the one-line XML property
    list of "Count", "Name<i>", "Location<i>", "Size<i>"; the key "binaryFileVersion"
    says whether item bytes are XOR-scrambled with resourceArchiveKey.

    The registry is read once, on the first lookup, under a lock, so render threads may
    look up items at any time. Offsets and sizes are checked against the file's length:
    an index or item that reaches outside the file is not used. Names compare
    case-sensitively; an item is also found by its file name without extension.
*/
namespace ResourceArchive
{
    /** The byte item bytes are XOR-ed with when "binaryFileVersion" is above 0. */
    constexpr uint8_t resourceArchiveKey = 0xA5;

    /** The archive file: the application's name with the type "bin" among the resources. */
    juce::File getArchiveFile();

    /** The text after the last "/" and before the last "." of a name (see the class notes). */
    juce::String reduceToFileStem (const juce::String& name);
}

/** (Re)builds the registry from the archive's index; an unreadable archive leaves it
    without groups, so the next lookup tries again. */
void loadResourceArchiveIndex();

/** The item count of the first group of that name; 0 when there is none. */
int32_t getArchiveItemCount (const juce::String& group);

/** The item names of every group of that name in index order, reduced to file stems
    when keepExtensions is false. */
juce::StringArray getArchiveItemNames (const juce::String& group, bool keepExtensions);

/** The item's bytes, unscrambled; bytes and size stay as they were (and false is
    returned) when no usable item matches. */
bool readResourceArchiveEntry (const juce::String& group, const juce::String& name,
                               juce::HeapBlock<uint8_t>& bytes, int32_t& size);

/** The item decoded as an image; null when missing, 4 bytes or shorter, or undecodable. */
juce::Image loadArchiveImage (const juce::String& group, const juce::String& name);

/** The item as a colour buffer, or none. */
SxRef<SxImageRgbaBytes> loadArchiveRgbaImage (const juce::String& group, const juce::String& name);

/** The item as a gray buffer ((r + g + b) / 3 of the colour buffer), or none. */
SxRef<SxImageAlphaByte> loadArchiveGrayImage (const juce::String& group, const juce::String& name);

/** Replaces the block's contents with the item's bytes; leaves it unchanged when no item matches. */
bool readArchiveItemBlock (const juce::String& group, const juce::String& name, juce::MemoryBlock& block);
