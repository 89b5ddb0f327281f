#pragma once

#include "RectBounds.h"

class SxImageRgbaBytes;
class SxImageAlphaByte;

/** Blends of an upper image (the source) over a lower one (the backdrop) in 8-bit
    straight-alpha colour.

    Each blend computes a value B(d, s) per colour channel, fades it towards the
    source colour where the backdrop is transparent, C = B x Da/255 + s x (1 - Da/255),
    and composites C over the backdrop with the source's alpha (one reciprocal per
    pixel). A transparent source pixel leaves the backdrop byte for byte.

    Boundary rule: the loops cover the backdrop (or the optional rectangle, clipped to
    the backdrop), limited to the output's size; source positions outside the source
    read as transparent. The output may be the backdrop itself: every pixel is read
    before it is written. Cost: a few integer and float operations per pixel, rows
    spread over all cores with byte-identical results.
*/

/** B = 255 - (255 - s)(255 - d) / 255. */
void blendScreen (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept;

/** B = s x d / 255, rounded, so white is neutral. */
void blendMultiply (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                    const RectBounds* rect = nullptr) noexcept;

/** B = min (d, s). */
void blendDarken (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept;

/** B = min (d x 256 / (256 - s), 255). */
void blendColorDodge (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept;

/** B = 255 x max (0, 1 - (1 - d/255) / (s/255)); 0 where s = 0. */
void blendColorBurn (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept;

/** Multiply or screen keyed on the backdrop (d < 128 multiplies). A source of another
    size is stretched over the whole backdrop, nearest neighbour. */
void blendOverlay (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                   const RectBounds* rect = nullptr) noexcept;

/** Overlay keyed on the source instead of the backdrop. */
void blendHardLight (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept;

/** (1 - d) s d + d screen (s, d), in rounded 8-bit steps. */
void blendSoftLight (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                     const RectBounds* rect = nullptr) noexcept;

/** Colour dodge and a linear burn, both scaled by the source alpha, mixed by the source
    brightness: bright source dodges, dark source burns. */
void blendDodgeBurnMix (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source) noexcept;

/** Plain mix, no backdrop fade and no compositing: each colour channel of the output
    moves towards max (backdrop, source x factor) by the source alpha; the output keeps
    its alpha. */
void blendLighten (SxImageRgbaBytes& output, const SxImageRgbaBytes& backdrop, const SxImageRgbaBytes& source,
                   float factor) noexcept;

/** Multiplies the image by the source where the mask is set: weight = source alpha x
    mask / 255, scaled by opacity; the image keeps its alpha. The area is the one the
    image, source and mask share. */
void multiplyThroughMask (SxImageRgbaBytes& image, const SxImageRgbaBytes& source, const SxImageAlphaByte& mask,
                          float opacity) noexcept;
