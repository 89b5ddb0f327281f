#pragma once

#include <juce_graphics/juce_graphics.h>

/** The rules by which a file becomes the document: which dragged files the window accepts,
    how large the preview-size working copy is, and what the user reads when a file does
    not open.
*/
namespace OpenImageRules
{
    /** The working copy's size for a w x h source: the source's aspect fitted into a
        1300-pixel box (integer steps, truncated) plus one pixel, so the longer side is
        1301 whether the source is larger or smaller. A source one pixel wide or high keeps
        its size. Sizes below 1 give 1. */
    juce::Point<int> workingImageSize (int width, int height) noexcept;

    /** True when the path ends, in any case, with one of the accepted image endings or
        with the project extension (the ending alone counts, not a separate extension). */
    bool isAcceptedDragPath (const juce::String& path, const juce::String& projectExtension);

    /** The alert's title and its message, which names the file and gives the reason. */
    inline constexpr const char* notOpenedTitle = "Image Not Opened";
    juce::String describeNotOpened (const juce::File& file, const juce::String& reason);
}
