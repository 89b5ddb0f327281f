#pragma once

#include <juce_graphics/juce_graphics.h>

namespace juce
{

/** The system's own uncompressed "JRA" image format.

    Layout, integers little-endian: "JRA", int32 width, int32 height, int32 alpha flag,
    then the rows top first without padding. Flag 1: ARGB rows of width * 4 bytes in
    the framework's premultiplied blue, green, red, alpha order. Flag 0: RGB rows of
    width * 3 bytes in the framework's blue, green, red order.

    Decoding trusts nothing in the header: sizes that are not positive or beyond the
    pixel limit, unknown flags, and a pixel block longer than the stream holds all give
    an invalid image.
*/
class RAWJuceImageFormat : public ImageFileFormat
{
public:
    RAWJuceImageFormat() = default;
    ~RAWJuceImageFormat() override = default;

    /** "JRA". */
    String getFormatName() override;
    /** True when the stream's next three bytes are "JRA". */
    bool canUnderstand (InputStream&) override;
    /** True for the extension "jra". */
    bool usesFileExtension (const File&) override;
    /** Reads a JRA stream; an invalid image for anything malformed. */
    Image decodeImage (InputStream&) override;
    /** Writes the image as JRA: RGB images with flag 0, everything else as ARGB with flag 1. */
    bool writeImageToStream (const Image&, OutputStream&) override;

    /** Bytes before the pixel rows. */
    static constexpr int headerSize = 15;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RAWJuceImageFormat)
};

} // namespace juce
