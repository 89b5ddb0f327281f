#pragma once

#include "PlatformImage.h"

/** Turns decoded pixels upright by their EXIF/TIFF orientation.

    Orientations 5 to 8 store the picture on its side: the pixels are transposed (in
    64 x 64 blocks, so both the rows read and the rows written stay in cache) and the
    resolution's axes swap. Flips then run in place: horizontal for 2, 3, 6 and 7,
    vertical for 3, 4, 7 and 8. A 5-to-8 turn needs a second buffer of the image's size.
*/
struct ImageOrientation
{
    /** True for the orientations whose stored rows are the picture's columns (5 to 8). */
    static bool swapsAxes (int orientation) noexcept;

    /** Applies image.orientation to the pixels and the resolution and sets it to 1;
        values outside 2 to 8 only reset it to 1. */
    static void makeUpright (PlatformImage& image);
};
