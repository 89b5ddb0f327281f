#pragma once

#include <juce_core/juce_core.h>

class SxImageRgbaBytes;

/** Image files picked and read through the desktop: the open panel with the image
    types the system accepts, and the decoding of a chosen file into a colour buffer.
*/
namespace ImageFileBridges
{
    /** The user-defaults key holding the folder the open panel showed last. */
    inline constexpr const char* lastDirectoryKey = "LastDirectory";

    /** The open panel's wildcard patterns, each extension in lower and upper case. */
    juce::String getImageFilePatterns();

    /** A new buffer (count 1, the caller releases it) of the file's picture with straight
        alpha. Null when the file cannot be read; an empty 0 x 0 buffer when it holds no
        picture that can be decoded. "nef" and "cr2" files, in any case, are developed as
        camera raw files. */
    SxImageRgbaBytes* loadImageFileAsRgba (const juce::String& path);

    /** Runs the modal open panel in the folder remembered under "LastDirectory" (the home
        folder when there is none or it is gone). On a choice, remembers the chosen file's
        folder and returns the file; on cancel returns a file without path and remembers
        nothing. */
    juce::File chooseImageFile();
}
