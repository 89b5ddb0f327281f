#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** Replaces a file's contents all at once or not at all.

    The contents go to a hidden temporary sibling, which is renamed over the target only
    when the writer reported success and every byte reached the file; a failed or cut-short
    write leaves the previous file as it was and no half-written file behind. (The
    framework's replaceWithData renames even after a failed write, and its buffered file
    stream drops the bytes of a short last flush without a word.) A folder in the target's
    place is refused and left alone.
*/
namespace AtomicFileWriter
{
    /** Calls writeContents on a stream into the temporary file; false leaves the target alone. */
    bool write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContents);

    /** write that says why it failed, in words for the user: a folder in the target's
        place, a folder that cannot be written to, a disk that is full or a file size limit
        reached (the system's own reason in brackets), a target that cannot be replaced, or
        the writer's own refusal (reasonWhenRefused). The stream allows setPosition. */
    juce::Result replace (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContents,
                          const juce::String& reasonWhenRefused = {});

    /** The same for a block of bytes (size 0 writes an empty file). */
    bool writeBytes (const juce::File& target, const void* data, size_t size);

    /** writeBytes that says why it failed, as replace does. */
    juce::Result replaceWithBytes (const juce::File& target, const void* data, size_t size);
}
