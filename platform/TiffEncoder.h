#pragma once

#include "PlatformImage.h"

/** TIFF writing on libtiff.

    8-bit RGB, or RGBA whose alpha is an unassociated extra sample (straight, as the
    image holds it), LZW-compressed with horizontal differencing, in strips; the
    resolution in dots per inch. The image's camera metadata goes where TIFF keeps it:
    IFD0's descriptive text tags (description, make, model, software, date, artist, host
    computer, copyright) into the image directory, the Exif and GPS directories through
    TIFFCreateEXIFDirectory and TIFFCreateGPSDirectory, each value converted to the type
    libtiff gives its tag.

    What libtiff cannot express is left out: tags it does not know (private and newer
    Exif tags, which stay in the JPEG, PNG and JPEG 2000 files), the interoperability
    directory, and IFD0 tags other than those above. Rationals pass through libtiff's
    floating-point values and are written back as fractions close to them. A maker note
    is copied byte for byte, but notes whose offsets count from the start of the file
    they came from point elsewhere in a TIFF.
*/
struct TiffEncoder
{
    /** Writes the image; false and nothing written on failure. */
    static bool encode (const PlatformImage& image, bool withAlpha, juce::OutputStream& out);
};
