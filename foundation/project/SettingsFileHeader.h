#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

class SxPropertySet;

/** The container of project, preset and layer-settings files.

    All integers are 32-bit little-endian. "VER2": the property set's stream form follows
    at once. "VER3": the thumbnail's offset and size, the stream form, then the thumbnail
    (a JPEG), so that the offset is 12 + the stream's length. Anything else is an older
    form that the caller reads as XML.

    Reading checks that a VER3 thumbnail lies inside the file and after the header, so the
    stream is bounded by it: a file cut before the thumbnail's end is refused, not read
    with what is missing.
*/
struct SettingsFileHeader
{
    enum class Form
    {
        ver2,      ///< "VER2", stream only
        ver3,      ///< "VER3", stream and thumbnail
        unmarked   ///< neither magic: the older XML form
    };

    static constexpr uint32_t ver2Magic = 0x32524556;   // "VER2"
    static constexpr uint32_t ver3Magic = 0x33524556;   // "VER3"
    static constexpr int ver3HeaderBytes = 12;

    Form form = Form::unmarked;
    /** Byte range of the property stream: after the header, up to the thumbnail (VER3)
        or the end of the file. Unmarked files: 4 to the end. */
    int64_t streamStart = 4;
    int64_t streamEnd = 0;
    /** The thumbnail's byte range (VER3 only). */
    int64_t thumbnailOffset = 0;
    int64_t thumbnailSize = 0;

    /** Reads the header at the start of a file of fileSize bytes (the stream's position
        is 0). Fails, with a reason in plain words, for a file of fewer than four bytes
        and for a VER3 header whose thumbnail lies before the stream or past the end. */
    static juce::Result read (juce::InputStream& in, int64_t fileSize, SettingsFileHeader& header);

    /** Writes "VER3", the set's stream form and the JPEG, then goes back to fill in the
        thumbnail's offset and size (the stream must allow setPosition). False when a
        write failed. */
    static bool writeWithThumbnail (juce::OutputStream& out, const SxPropertySet& set,
                                    const juce::MemoryBlock& jpeg);

    /** Writes "VER2" and the set's stream form. False when a write failed. */
    static bool writeWithoutThumbnail (juce::OutputStream& out, const SxPropertySet& set);
};
