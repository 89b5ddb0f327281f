#pragma once

#include <cstdint>
#include <vector>

class SxImageRgbaBytes;

/** Separable Gaussian blur of colour images followed by an unsharp-mask step.

    Radii below 10 use a sampled kernel: sigma = |r| + 1, each tap the Gaussian averaged
    over its pixel (50 sub-samples), 2 * ceil(2 sigma - 0.5) + 1 taps. Radii of 10 and more
    use three running-sum box passes per direction, sized by the box approximation of the
    SVG 1.1 feGaussianBlur primitive, so the cost per pixel does not depend on the radius.
    Boundaries: the kernel and the boxes are cut at the ends of each row and column and
    the result renormalised, so a constant image stays constant up to the borders. All four
    bytes (alpha included, straight) are filtered alike. Rows, and strips of columns, are
    split over all cores; the result does not depend on the split.
*/

/** Copies row `row` of the image into buffer (width pixel words); nothing outside the image. */
void getRgbaRow (const SxImageRgbaBytes& image, uint32_t* buffer, int row);
/** Copies buffer (width pixel words) into row `row`; nothing outside the image. */
void setRgbaRow (SxImageRgbaBytes& image, const uint32_t* buffer, int row);
/** Reads column `column` (height words) with getPixel: 0 outside the image. */
void getRgbaColumn (const SxImageRgbaBytes& image, uint32_t* buffer, int column);
/** Writes height words into column `column` with setPixel; nothing outside the image. */
void setRgbaColumn (SxImageRgbaBytes& image, const uint32_t* buffer, int column);

/** The normalised taps of the sampled kernel for a radius below 10 (tap -h first). */
std::vector<double> gaussianKernelTaps (double radius);

/** The box size c of the box passes used from radius 10 up: trunc(3 r sqrt(2 pi) / 4 + 0.5). */
int gaussianBoxSize (double radius);

/** destination = source + amount * (source - blur (source, radius)) per byte, clamped to
    0..255: amount 0 copies the source, -1 gives the plain blur, positive amounts sharpen.
    destination may be the source itself. Refuses (false, destination untouched) images of
    different sizes, a non-finite amount, and a radius that is not finite or lies outside
    -100 .. 1e6. */
bool unsharpMaskRgba (SxImageRgbaBytes& destination, const SxImageRgbaBytes& source, double radius, double amount);
