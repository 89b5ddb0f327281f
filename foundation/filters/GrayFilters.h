#pragma once

#include <array>
#include <cstdint>

class SxImageAlphaByte;

/** Filters on 8-bit single-channel images: box blurs, an integer Gaussian, Sobel edges,
    a band threshold, a levels table and a brightness-and-contrast curve.

    Box blurs cut the window at the image edge and average what remains (no padding); their
    running sums make the cost per pixel independent of the radius. The Gaussian replicates
    edges and walks runs of equal values, so flat areas cost one step per run rather than one
    per tap. Two-image functions work on the area common to both images, and the destination
    may be the source itself. Heavy passes split rows over all cores; the bytes written do not
    depend on the thread count.
*/
namespace GrayFilters
{
    /** The Gaussian's half width R for a radius r (0 for r <= 0): taps run from -R to R.
        -1 for a kernel wider than 2^20 taps each side, which gaussianBlurGray refuses (leaves the image). */
    int gaussianHalfWidth (double r);
}

/** Box average over a window of half-size trunc(r + 0.5), cut at the image edges;
    r < 1 copies. */
void boxBlurGray (const SxImageAlphaByte& source, SxImageAlphaByte& destination, float r);

/** Box blur for a whole-number radius: one pass below 3, else two passes of radius r / 2;
    r <= 0 copies. */
void blurGrayWholeRadius (const SxImageAlphaByte& source, SxImageAlphaByte& destination, float r);

/** Blur with a fractional radius: the whole-radius blurs of trunc(r) and ceil(r) mixed by
    the fraction in 1/256 steps; r <= 0 copies. */
void blurGray (const SxImageAlphaByte& source, SxImageAlphaByte& destination, float r);

/** Separable integer Gaussian in place, edges replicated; r <= 0 leaves the image. */
void gaussianBlurGray (SxImageAlphaByte& image, double r);

/** min(|gx| + |gy|, 255) of the 3 x 3 Sobel kernels; the outermost rows and columns become 0. */
void sobelMagnitudeGray (const SxImageAlphaByte& source, SxImageAlphaByte& destination);

/** Every pixel v becomes table[v], in place. */
void applyGrayTable (SxImageAlphaByte& image, const std::array<uint8_t, 256>& table);

/** Pixels with low <= v < high become value, all others 255 - value. */
void thresholdBand (SxImageAlphaByte& image, int low, int high, uint8_t value);

/** Levels: black and below to 0, white and above to 255, a power curve between (gamma control
    g, exponent (g - 0.49) * 15 + 1 above 0.5), mixed with the input by amount. Zero pixels stay 0. */
void adjustLevels (SxImageAlphaByte& image, int black, int white, float gammaControl, float amount);

/** Brightness table, then an S-shaped contrast curve; contrast is kept within (-1, 1).
    b = 0 and c = 0 copy. */
void contrastCurve (SxImageAlphaByte& destination, const SxImageAlphaByte& source, float brightness, float contrast);
