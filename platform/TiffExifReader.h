#pragma once

#include <juce_core/juce_core.h>

/** The camera metadata of a TIFF file as a block of the form JPEG carries (see ExifMetadata).

    The first directory's descriptive tags (description, make, model, orientation,
    resolution, software, date, artist, host computer, copyright) and its Exif, GPS and
    interoperability directories are copied entry by entry, values byte for byte in the
    file's byte order, so that every tag, known or not, arrives as stored. Tags describing
    the pixels (size, samples, strips, compression) stay behind, as do XMP, IPTC and ICC
    data. Every count and offset is checked against the data; entries that reach outside
    it are skipped. BigTIFF files give no block.
*/
struct TiffExifReader
{
    /** The block, or empty when the data holds no such tag beyond orientation and
        resolution, or is no classic TIFF. */
    static juce::MemoryBlock read (const void* data, size_t size);
};
