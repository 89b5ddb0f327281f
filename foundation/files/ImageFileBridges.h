#pragma once

#include "SxImageRgbaBytes.h"

#include <juce_core/juce_core.h>

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

    /** A photograph as a document takes it: the picture upright, its resolution and its
        camera metadata; or, when it does not open, why. */
    struct OpenedImage
    {
        /** Straight-alpha pixels; null when the file did not open. */
        SxRef<SxImageRgbaBytes> image;
        /** Dots per inch, 72 where the file states none. */
        double resolutionX = 72.0;
        double resolutionY = 72.0;
        /** The camera metadata as a JPEG APP1 payload, as the file holds it; empty for none. */
        juce::MemoryBlock exif;
        /** One sentence for the user when the file did not open (unreadable, not an image,
            damaged, an unsupported kind, too large); empty when it opened. */
        juce::String refusal;
    };

    /** Opens an image file ("nef" and "cr2" developed as camera raw files). */
    OpenedImage openImageFile (const juce::File& file);

    /** Runs the modal open panel in the folder remembered under "LastDirectory" (the home
        folder when there is none or it is gone). On a choice, remembers the chosen file's
        folder and returns the file; on cancel returns a file without path and remembers
        nothing. */
    juce::File chooseImageFile();
}
