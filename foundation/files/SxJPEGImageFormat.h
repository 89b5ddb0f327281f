#pragma once

#include <juce_graphics/juce_graphics.h>

/** JPEG as the system reads and writes it, on libjpeg.

    Writing records the image's "resX" and "resY" properties (default 72) as the JFIF
    density in dots per inch and copies the markers listed in its "markerCount",
    "Marker<i>" and "MarkerData<i>" properties, leaving out APP0 JFIF and Adobe headers
    (libjpeg writes its own). Reading and writing never end the process on bad data.
*/
class SxJPEGImageFormat : public juce::ImageFileFormat
{
public:
    /** A negative quality stands for the default, 0.85, fixed at the first write. */
    explicit SxJPEGImageFormat (float quality = -1.0f) : quality (quality) {}

    /** Quality from 0 to 1; negative for the default. */
    void setQuality (float newQuality) noexcept { quality = newQuality; }
    float getQuality() const noexcept { return quality; }

    /** libjpeg's quality for a format quality: round(q * 100), halves to even, 1 to 100. */
    static int libjpegQuality (float quality) noexcept;

    /** "JPEG". */
    juce::String getFormatName() override;
    /** True for the extensions "jpg" and "jpeg". */
    bool usesFileExtension (const juce::File&) override;
    /** True when the stream starts with FF D8 FF. */
    bool canUnderstand (juce::InputStream&) override;
    /** Decodes a JPEG stream into an opaque ARGB image. */
    juce::Image decodeImage (juce::InputStream&) override;
    /** Writes the image as described above; false and nothing written on failure. */
    bool writeImageToStream (const juce::Image&, juce::OutputStream&) override;

private:
    float quality = -1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxJPEGImageFormat)
};
