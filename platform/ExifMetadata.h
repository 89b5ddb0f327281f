#pragma once

#include <juce_core/juce_core.h>

#include <libexif/exif-data.h>

#include <memory>

/** Camera metadata blocks, read and prepared with libexif.

    A block is what a JPEG APP1 marker carries: the header "Exif\0\0", then a TIFF
    structure (byte order, IFD0 with the picture's tags, the Exif, GPS and
    interoperability directories, IFD1 with a thumbnail). Every block is loaded with
    libexif's unknown-tag filter and its conformance rewrites switched off and the maker note
    left as stored, so that re-saving keeps every tag and the maker note's bytes.
    libexif reads at most 64 KB of a block; entries beyond are not seen.
*/
struct ExifMetadata
{
    struct Deleter
    {
        void operator() (ExifData* data) const noexcept { exif_data_unref (data); }
    };
    using Data = std::unique_ptr<ExifData, Deleter>;

    /** The six header bytes of a block. */
    static constexpr size_t headerSize = 6;

    /** True when the data starts with "Exif\0\0". */
    static bool hasHeader (const void* data, size_t size) noexcept;

    /** A block from a bare TIFF structure (the PNG eXIf chunk, the JPEG 2000 Exif box);
        data that already starts with the header is taken as it is. Empty for no data. */
    static juce::MemoryBlock fromTiffStructure (const void* data, size_t size);

    /** The TIFF structure of a block (the block without its header); empty when the block
        has no header. */
    static juce::MemoryBlock toTiffStructure (const juce::MemoryBlock& block);

    /** The block parsed by libexif; null for an empty block or one without header. */
    static Data load (const juce::MemoryBlock& block);

    /** An empty ExifData with the options above; null when memory runs out. */
    static Data create();

    /** The block libexif writes for the data; empty when it writes nothing. */
    static juce::MemoryBlock save (ExifData& data);

    /** True when any directory of the data holds an entry. */
    static bool hasAnyEntry (const ExifData& data) noexcept;

    /** The Orientation of IFD0, 1 to 8; 1 when it is absent or not one of those. */
    static int readOrientation (const juce::MemoryBlock& block);

    /** IFD0's XResolution and YResolution in dots per inch (ResolutionUnit 2 = inch, the
        default, or 3 = centimetre). An axis that is absent, not positive or without an
        absolute unit reads 0. */
    struct Resolution
    {
        double x = 0.0;
        double y = 0.0;
    };
    static Resolution readResolution (const juce::MemoryBlock& block);

    /** The block to carry into a written picture of width x height at the given dots per
        inch: every tag and the maker note kept, Orientation 1 (the pixels are written
        upright), PixelXDimension and PixelYDimension the written size, XResolution,
        YResolution and ResolutionUnit (inch) the written resolution, and no IFD1 or
        thumbnail (it would show the photograph, not the painting). Empty when the block
        is empty or libexif finds no tag in it. */
    static juce::MemoryBlock prepareForWriting (const juce::MemoryBlock& block, int width, int height,
                                                double resolutionX, double resolutionY);

    /** What a camera raw file tells about the shot; zero or empty fields are left out. */
    struct CameraFacts
    {
        juce::String make, model;
        /** "YYYY:MM:DD HH:MM:SS". */
        juce::String dateTimeOriginal;
        double exposureSeconds = 0.0;
        double fNumber = 0.0;
        double isoSpeed = 0.0;
        double focalLengthMillimetres = 0.0;
    };

    /** A block of those facts with Orientation 1, for a picture that is already upright. */
    static juce::MemoryBlock buildCameraBlock (const CameraFacts& facts);

    /** The nearest fraction with numerator and denominator within 32 bits (continued
        fractions); 1/250 s, f/2.8 and 300 dpi come out exact. Negative or not finite
        gives 0/1. */
    static ExifRational toRational (double value) noexcept;
};
