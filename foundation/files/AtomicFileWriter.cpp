#include "AtomicFileWriter.h"

#include <vector>

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
        limit shows up in the stream's status. The stream must be unbuffered. */
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

    /** Gathers small writes into blocks and hands each to an unbuffered file stream through
        writeAll, so that no short write goes unseen; after the first failure every write
        fails. */
    class CheckedFileOutput final : public juce::OutputStream
    {
    public:
        explicit CheckedFileOutput (juce::FileOutputStream& f) : file (f) { pending.reserve (blockBytes); }

        bool write (const void* data, size_t size) override
        {
            if (failed)
                return false;
            if (pending.size() + size > blockBytes && ! drain())
                return false;
            if (size >= blockBytes)
            {
                failed = ! writeAll (file, static_cast<const char*> (data), size);
            }
            else
            {
                const auto* bytes = static_cast<const char*> (data);
                pending.insert (pending.end(), bytes, bytes + size);
            }
            if (! failed)
                position += (juce::int64) size;
            return ! failed;
        }

        juce::int64 getPosition() override { return position; }

        bool setPosition (juce::int64 newPosition) override
        {
            if (! drain() || ! file.setPosition (newPosition))
            {
                failed = true;
                return false;
            }
            position = newPosition;
            return true;
        }

        void flush() override { drain(); }

        /** Writes what is pending; true when every byte so far reached the file. */
        bool drain()
        {
            if (! failed && ! pending.empty())
                failed = ! writeAll (file, pending.data(), pending.size());
            pending.clear();
            return ! failed;
        }

    private:
        static constexpr size_t blockBytes = (size_t) 1 << 20;
        juce::FileOutputStream& file;
        std::vector<char> pending;
        juce::int64 position = 0;
        bool failed = false;
    };
}

juce::Result AtomicFileWriter::replace (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContents,
                                        const juce::String& reasonWhenRefused)
{
    if (target.isDirectory())
        return juce::Result::fail ("A folder named " + quoted (target) + " is in the way; it was left as it is.");

    // Hidden, so that a write cut short is never listed with the files of its folder.
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream stream (temporary.getFile(), 0);
        if (! stream.openedOk())
            return juce::Result::fail ("The folder " + quoted (target.getParentDirectory()) + " cannot be written to"
                                       + reasonIn (stream.getStatus(), "no permission"));
        CheckedFileOutput checked (stream);
        const bool accepted = writeContents (checked);
        const bool complete = checked.drain();
        if (complete)
            stream.flush();
        if (! complete || stream.getStatus().failed())
            return juce::Result::fail ("The file " + quoted (target) + " could not be written completely"
                                       + reasonIn (stream.getStatus(), "the disk may be full"));
        if (! accepted)
            return juce::Result::fail (reasonWhenRefused.isNotEmpty() ? reasonWhenRefused
                                                                      : "The file " + quoted (target) + " could not be written.");
    }
    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("The file " + quoted (target) + " could not be replaced.");
    return juce::Result::ok();
}

bool AtomicFileWriter::write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContents)
{
    return replace (target, writeContents).wasOk();
}

bool AtomicFileWriter::writeBytes (const juce::File& target, const void* data, size_t size)
{
    return replaceWithBytes (target, data, size).wasOk();
}

juce::Result AtomicFileWriter::replaceWithBytes (const juce::File& target, const void* data, size_t size)
{
    if (data == nullptr && size > 0)
        return juce::Result::fail ("There was nothing to write into " + quoted (target) + ".");

    return replace (target, [data, size] (juce::OutputStream& out)
    {
        return size == 0 || out.write (data, size);
    });
}
