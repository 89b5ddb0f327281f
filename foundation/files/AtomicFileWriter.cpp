#include "AtomicFileWriter.h"

namespace
{
    juce::String quoted (const juce::File& file)
    {
        return "\"" + file.getFileName() + "\"";
    }

    juce::String reasonIn (const juce::Result& status, const char* otherwise)
    {
        return " (" + (status.failed() ? status.getErrorMessage() : juce::String (otherwise)) + ").";
    }

    /** Writes every byte, retrying once after a short write so that a full disk or a size
        limit shows up in the stream's status. */
    bool writeAll (juce::FileOutputStream& stream, const char* data, size_t size)
    {
        constexpr size_t chunk = (size_t) 1 << 20;
        size_t done = 0;
        bool retried = false;
        while (done < size)
        {
            const auto before = stream.getPosition();
            const size_t count = std::min (chunk, size - done);
            if (stream.write (data + done, count))
            {
                done += count;
                continue;
            }
            const auto written = (size_t) std::max<juce::int64> (0, stream.getPosition() - before);
            if (stream.getStatus().failed() || retried || written == 0)
                return false;
            retried = true;
            done += written;
        }
        return true;
    }
}

bool AtomicFileWriter::write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContents)
{
    // Hidden, so that a write cut short is never listed with the files of its folder.
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    juce::int64 written = 0;
    {
        juce::FileOutputStream stream (temporary.getFile(), 16384);
        if (! stream.openedOk() || ! writeContents (stream))
            return false;
        stream.flush();
        if (stream.getStatus().failed())
            return false;
        written = stream.getPosition();
    }
    // The stream's flush drops the count of a short last write: the file tells.
    if (temporary.getFile().getSize() != written)
        return false;
    return temporary.overwriteTargetFileWithTemporary();
}

bool AtomicFileWriter::writeBytes (const juce::File& target, const void* data, size_t size)
{
    return replaceWithBytes (target, data, size).wasOk();
}

juce::Result AtomicFileWriter::replaceWithBytes (const juce::File& target, const void* data, size_t size)
{
    if (data == nullptr && size > 0)
        return juce::Result::fail ("There was nothing to write into " + quoted (target) + ".");

    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    {
        // Unbuffered: each write reports a short count itself, where the stream's flush of
        // its buffer would drop it.
        juce::FileOutputStream stream (temporary.getFile(), 0);
        if (! stream.openedOk())
            return juce::Result::fail ("The folder " + quoted (target.getParentDirectory()) + " cannot be written to"
                                       + reasonIn (stream.getStatus(), "no permission"));
        const bool complete = writeAll (stream, static_cast<const char*> (data), size);
        if (complete)
            stream.flush();
        if (! complete || stream.getStatus().failed())
            return juce::Result::fail ("The file " + quoted (target) + " could not be written completely"
                                       + reasonIn (stream.getStatus(), "the disk may be full"));
    }
    if (temporary.getFile().getSize() != (juce::int64) size)
        return juce::Result::fail ("The file " + quoted (target) + " could not be written completely (the disk may be full).");
    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("The file " + quoted (target) + " could not be replaced.");
    return juce::Result::ok();
}
