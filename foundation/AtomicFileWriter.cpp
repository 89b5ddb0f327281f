#include "AtomicFileWriter.h"

bool AtomicFileWriter::write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContents)
{
    // Hidden, so that a write cut short is never listed with the files of its folder.
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream stream (temporary.getFile(), 16384);
        if (! stream.openedOk() || ! writeContents (stream))
            return false;
        stream.flush();
        if (stream.getStatus().failed())
            return false;
    }
    return temporary.overwriteTargetFileWithTemporary();
}

bool AtomicFileWriter::writeBytes (const juce::File& target, const void* data, size_t size)
{
    if (data == nullptr && size > 0)
        return false;
    return write (target, [data, size] (juce::OutputStream& out) { return size == 0 || out.write (data, size); });
}
