#pragma once

#include <cstddef>
#include <cstdint>

class SxImageAlphaByte;

/** Square 8-bit median filter whose cost per pixel does not grow with the radius.

    Perreault and Hebert's constant-time median: one histogram per column, a two-level
    (16 coarse, 256 fine bins) kernel histogram slid along the row, fine bins refreshed
    lazily only where the median falls. Columns run in vertical stripes whose column
    histograms fit a cache budget; neighbouring stripes overlap by 2r columns. Positions
    outside the image take the nearest edge pixel (replication on all four sides).
    Row bands run on all cores; the output does not depend on the thread count.
*/
namespace MedianFilter
{
    /** The memory budget medianFilter gives to the column histograms of one stripe. */
    constexpr size_t defaultBudget = 524288;

    /** Median over a (2r + 1) x (2r + 1) window on raw rows of cn interleaved channels.
        Steps are in bytes; source and destination must not overlap. r < 0 counts as 0. */
    void filterRows (const uint8_t* source, uint8_t* destination, int width, int height,
                     size_t sourceStep, size_t destinationStep, int r, int cn, size_t budget);

    /** Stripe layout for a row of the given width: number of stripes and their nominal width
        (the last one takes the remaining columns). One stripe spans the whole row when the
        budget cannot hold 2r + 1 histograms beside the overlap or the row is narrower than it. */
    struct StripePlan { int stripes = 1; int stripeWidth = 0; };
    StripePlan planStripes (int width, int r, size_t budget);
}

/** Median with a (2r + 1) x (2r + 1) window from source into destination, replicated edges.
    The work covers the area common to both images; source and destination may be the same
    image. r = 0 copies. */
void medianFilter (const SxImageAlphaByte& source, SxImageAlphaByte& destination, int r);
