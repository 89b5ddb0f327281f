#pragma once

#include "SxImageRgbaBytes.h"
#include "SxPropertySet.h"

#include <juce_core/juce_core.h>

#include <cstdint>

/** The project file, read and written without a document.

    Written form (SettingsFileHeader, "VER3"): the property stream, then a 400 x 400 JPEG
    of the painting (ProjectThumbnail). The stream's keys, in order: the caller's (the
    layer stack, then the colour history), the picture as an image entry under
    "ORIG_IMAGE" ("ORIG_IMAGE_data", ImageBlob), then "doc_WidthDPI" and "doc_HeightDPI".

    Read forms: "VER3" (the thumbnail is not read), "VER2" (stream only), and the older
    form: four bytes, a zero-ended XML property list, then the picture as a compressed
    block, optionally behind "IMAG" and a byte count. Every form's resolution keys are read
    (72 when missing or not a positive number).

    Reading is all or nothing: every XML text goes through SxPropertySet::parseXmlText, and
    a file is refused, with one sentence in plain words, when it is larger than any project
    the writer makes, is cut short, has no picture or a picture that is damaged, cut,
    beyond PlatformImage::isAcceptableSize or holding more pixels than its size says, is
    not XML in the older form, or holds an XML text (a layer's settings and the records
    nested in them) that the hardened reader refuses.

    Writing goes through AtomicFileWriter: the target is replaced whole or left as it was.
    Both directions may run on any thread.
*/
class ProjectFile
{
public:
    static constexpr const char* imageKey = "ORIG_IMAGE";
    static constexpr const char* widthResolutionKey = "doc_WidthDPI";
    static constexpr const char* heightResolutionKey = "doc_HeightDPI";
    static constexpr double defaultResolution = 72.0;

    /** What a project brings back. */
    struct Contents
    {
        /** Every key of the file but the picture's entry. */
        SxPropertySet properties;
        SxRef<SxImageRgbaBytes> picture;
        double resolutionX = defaultResolution;
        double resolutionY = defaultResolution;
    };

    /** Reads a project file; on failure contents is untouched and the result says why. */
    static juce::Result read (const juce::File& file, Contents& contents);

    /** Reads a project from a stream at the file's first byte, size bytes long. */
    static juce::Result read (juce::InputStream& in, int64_t size, Contents& contents);

    /** Writes a project of the document's keys, the picture and its resolution, with the
        thumbnail of painting, replacing target whole. On failure target is as it was and
        the result says why: a picture that is empty or too large for the file's 16-bit
        sides (above 65,535) or the pixel limit, or the writing itself. */
    static juce::Result write (const juce::File& target, const SxPropertySet& document, const SxImageRgbaBytes& picture,
                               double resolutionX, double resolutionY, const SxImageRgbaBytes& painting);

    /** The same into a stream that allows setPosition (a memory stream). */
    static juce::Result writeToStream (juce::OutputStream& out, const SxPropertySet& document, const SxImageRgbaBytes& picture,
                                       double resolutionX, double resolutionY, const SxImageRgbaBytes& painting);

    /** Bytes of the largest project the writer can make under the current pixel limit,
        with room for the settings and the thumbnail: anything larger is not a project. */
    static int64_t getMaxFileSize();

private:
    ProjectFile() = delete;
};
