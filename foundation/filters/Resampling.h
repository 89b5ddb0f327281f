#pragma once

#include "RectBounds.h"
#include "SxPoint.h"

#include <cstdint>

class SxImageAlphaByte;
class SxImageRgbaBytes;

/** Scaled copies between image buffers and the in-place resizes built on them.

    Rectangles are RectBounds with right and bottom the last column and row included.
    The two families map coordinates differently, and callers rely on both:
    - colour copies scale by the ratio of inclusive pixel counts, (S.right - S.left + 1) /
      (D.right - D.left + 1), and sample with edge-clamped bilinear float weights;
    - gray copies map edge to edge (D.left -> S.left, D.right -> S.right) and use 8-bit
      weights.
    Modes: 1 bilinear, 3 box average (the truncated mean of the source pixels the
    destination pixel covers), 4 (colour only) box when shrinking horizontally, else
    bilinear. Any other mode samples bilinearly.

    Only destination pixels inside the destination rectangle (clipped to the destination)
    are written. Cost: bilinear is O(destination pixels); box average is O(source pixels
    covered + destination pixels). Large copies are split by rows over all cores; the
    result does not depend on the split.
*/

/** The colour at a fractional position; the position is clamped into the image and each
    of the four bytes (straight alpha) is interpolated separately in single precision.
    An empty image gives 0. */
uint32_t sampleRgbaBilinear (const SxImageRgbaBytes& image, float x, float y) noexcept;

/** Unscaled copy of the source rectangle to destinationPoint in the destination, clipped
    to both images; bytes instead of colour pixels (RegionCopy::copyBytes). */
void copyAlphaRegion (SxImageAlphaByte& destination, const SxImageAlphaByte& source,
                      const RectBounds& sourceRect, const SxPoint& destinationPoint) noexcept;

/** Scales the source rectangle of a colour image into the destination rectangle. When both
    rectangles have the same truncated size the copy is unscaled (RegionCopy::copyBytes). A
    destination rectangle narrower or lower than one pixel, or a non-finite one, does nothing. */
void blitScaledRgba (SxImageRgbaBytes& destination, const SxImageRgbaBytes& source,
                     const RectBounds& sourceRect, const RectBounds& destinationRect, int mode);

/** Scales the source rectangle of a gray image into the destination rectangle, edge to edge.
    Both rectangles are truncated toward zero in place first, and the caller keeps the
    truncated values. Sample positions are clamped into the source. */
void blitScaled (SxImageAlphaByte& destination, const SxImageAlphaByte& source,
                 RectBounds& sourceRect, RectBounds& destinationRect, int mode);

/** Scales a colour rectangle into a gray image, each sample becoming (R + G + B) / 3.
    With equal truncated sizes every pixel of the source rectangle is converted at its own
    position (clipped to the destination); otherwise sampled bilinearly, edge to edge. */
void blitScaledRgbaToGray (SxImageAlphaByte& destination, const SxImageRgbaBytes& source,
                           const RectBounds& sourceRect, const RectBounds& destinationRect, int mode);

/** Replaces the image by a width x height scaled copy (mode 4 becomes 3 when shrinking
    horizontally, else 1). Refuses (false, image unchanged) a width or height below 1;
    an impossible size throws std::bad_alloc and leaves the image unchanged too. */
bool resizeRgbaImage (SxImageRgbaBytes& image, int width, int height, int mode);

/** Replaces the gray image by a width x height scaled copy (mode 1 or 3), source position =
    destination position x old size / new size. Refuses sizes below 1 as resizeRgbaImage. */
bool resizeAlphaImage (SxImageAlphaByte& image, int width, int height, int mode);

/** Replaces the image by a picture of the target's inclusive size that the old picture,
    scaled uniformly, covers completely: centred, the overhang cut. Refuses (false) a target
    narrower or lower than one pixel. */
bool resizeRgbaImageToFill (SxImageRgbaBytes& image, const RectBounds& target, int mode);
