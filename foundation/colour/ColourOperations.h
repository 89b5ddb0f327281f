#pragma once

#include <cstdint>

class SxImageRgbaBytes;
class SxImageAlphaByte;

/** Per-pixel colour operations of the watercolour renders, the RGB <-> HSL and
    RGB -> L*a*b* conversions under them, and the system's two random sources.

    HSL values are bytes on a 0..255 scale: the hue circle is 255 units (42.5 per
    sixth: red 0, green 85, blue 170). An HSL pixel keeps the hue in byte 1, the
    lightness in byte 2 and the saturation in byte 3; byte 0 (alpha) is untouched.
    The saturation denominator in the upper half is 511 - (max + min), one more than
    the textbook 510, which keeps stored looks unchanged; saturation there tops out
    at 254.

    Arithmetic truncates toward zero and results are limited to 0..255. Image
    operations handle the area all their images share and run on all cores; every
    pixel is computed on its own, so the bytes do not depend on the thread count.
*/

/** RGB -> HSL in place on one pixel (4 bytes: alpha, red, green, blue), truncating. */
void rgbToHsl (uint8_t* pixel) noexcept;

/** HSL -> RGB in place on one pixel laid out as rgbToHsl leaves it, truncating. */
void hslToRgb (uint8_t* pixel) noexcept;

/** sRGB (D65) -> CIE L*a*b* of a colour word; writes L*, a*, b* into record[1..3] and
    leaves record[0] alone. */
void rgbToLab (uint32_t colourWord, float* record) noexcept;

/** Maps each pixel's luminance onto black - colour - white (0, 0.5, 1) and mixes the
    result with the unchanged pixel by amount; alpha is kept. */
void colorizeDuotone (SxImageRgbaBytes& image, uint32_t colourWord, float amount) noexcept;

/** Rotates the hue by amount x 100 units of the 255-unit circle (wrapping on 256, as
    the stored byte does) and writes the result to destination. The source is only
    read unless it is the destination. */
void shiftHue (const SxImageRgbaBytes& source, SxImageRgbaBytes& destination, float amount) noexcept;

/** Multiplies the image by the colour, weighted per pixel by mask x colour alpha. */
void tintThroughMask (SxImageRgbaBytes& image, const SxImageAlphaByte& mask, uint32_t colourWord) noexcept;

/** Scales saturation by (255 + k) / 255 with k = amount x 255 (limited to -255..255),
    keeping hue and lightness; rounds at each step. Source and destination may be the
    same image. */
void adjustHueSaturationLightness (const SxImageRgbaBytes& source, SxImageRgbaBytes& destination, float amount) noexcept;

/** The next float in [0, 1) of the framework's system-wide generator: for choices that
    need not be reproducible. Safe to call from any thread. */
float randomUnitFloat();

/** Seeds the effect generator (the thread's current EffectRandom, else the
    process-wide one) so that the following effectRandomFloat calls replay. */
void setEffectRandomSeed (int seed);

/** The next float in [0, 1) of the effect generator; an unseeded generator seeds
    itself randomly on first use. */
float effectRandomFloat();
