#pragma once

#include <juce_graphics/juce_graphics.h>

/** PNG as the system reads and writes it, on libpng.

    Writing is 8 bits per channel, RGB for images without alpha and RGBA otherwise,
    with a pHYs chunk of trunc(res * 39.3701) pixels per metre from the image's "resX"
    and "resY" properties (default 72).
*/
class SxPNGImageFormat : public juce::ImageFileFormat
{
public:
    SxPNGImageFormat() = default;

    /** "PNG". */
    juce::String getFormatName() override;
    /** True for the extension "png". */
    bool usesFileExtension (const juce::File&) override;
    /** True when the stream starts with the PNG signature. */
    bool canUnderstand (juce::InputStream&) override;
    /** Decodes a PNG stream; translucent pixels come out premultiplied, as the framework keeps them. */
    juce::Image decodeImage (juce::InputStream&) override;
    /** Writes the image as described above; false and nothing written on failure. */
    bool writeImageToStream (const juce::Image&, juce::OutputStream&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxPNGImageFormat)
};
