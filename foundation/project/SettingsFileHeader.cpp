#include "SettingsFileHeader.h"

#include "SxPropertySet.h"

namespace
{
    bool readUint32 (juce::InputStream& in, uint32_t& value)
    {
        uint8_t bytes[4];
        if (in.read (bytes, 4) != 4)
            return false;
        value = juce::ByteOrder::littleEndianInt (bytes);
        return true;
    }
}

juce::Result SettingsFileHeader::read (juce::InputStream& in, int64_t fileSize, SettingsFileHeader& header)
{
    uint32_t magic = 0;
    if (fileSize < 4 || ! readUint32 (in, magic))
        return juce::Result::fail ("The file is too short to hold anything.");

    SettingsFileHeader result;
    result.streamStart = 4;
    result.streamEnd = fileSize;

    if (magic == ver2Magic)
    {
        result.form = Form::ver2;
    }
    else if (magic == ver3Magic)
    {
        uint32_t offset = 0, size = 0;
        if (! readUint32 (in, offset) || ! readUint32 (in, size))
            return juce::Result::fail ("The file is cut short.");
        // An offset of 0 is what a writer leaves when it stopped before filling it in.
        if (offset < (uint32_t) ver3HeaderBytes)
            return juce::Result::fail ("The file is damaged: it was not written to its end.");
        if ((int64_t) offset + (int64_t) size > fileSize)
            return juce::Result::fail ("The file is cut short.");

        result.form = Form::ver3;
        result.streamStart = ver3HeaderBytes;
        result.streamEnd = offset;
        result.thumbnailOffset = offset;
        result.thumbnailSize = size;
    }

    header = result;
    return juce::Result::ok();
}

bool SettingsFileHeader::writeWithThumbnail (juce::OutputStream& out, const SxPropertySet& set,
                                             const juce::MemoryBlock& jpeg)
{
    const auto start = out.getPosition();
    if (! (out.writeInt ((int) ver3Magic) && out.writeInt (0) && out.writeInt (0)))
        return false;
    set.writeToStream (out);

    const auto offset = out.getPosition() - start;
    if (offset > (int64_t) std::numeric_limits<uint32_t>::max() - (int64_t) jpeg.getSize())
        return false;
    if (! out.write (jpeg.getData(), jpeg.getSize()))
        return false;
    const auto end = out.getPosition();

    if (! out.setPosition (start + 4))
        return false;
    const bool patched = out.writeInt ((int) (uint32_t) offset) && out.writeInt ((int) (uint32_t) jpeg.getSize());
    return patched && out.setPosition (end);
}

bool SettingsFileHeader::writeWithoutThumbnail (juce::OutputStream& out, const SxPropertySet& set)
{
    if (! out.writeInt ((int) ver2Magic))
        return false;
    set.writeToStream (out);
    return true;
}
