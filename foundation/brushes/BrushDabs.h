#pragma once

#include "SxPoint.h"

#include <cstdint>

class SxBrush;
class SxImageAlphaByte;
class SxImageRgbaBytes;

/** One press of a brush stamp into an image or a mask.

    The stamp (the brush's stamp at the given scale, sw x sh) is centred on the point:
    its column 0 lies at trunc(x - sw / 2), its row 0 at trunc(y - sh / 2), and only the
    pixels inside the target are touched. A selection mask limits the dab (255 when
    absent); the point's weight scales its strength. Bytes are multiplied with the
    rounded division by 255.
*/

/** Source-over of the colour (word B<<24 | G<<16 | R<<8 | A) through the stamp, straight
    alpha. A selection whose width differs from the target's is sampled bilinearly at the
    ratio of the widths; pixels past its last row read its last row. */
void stampColorDab (SxImageRgbaBytes& target, const SxImageAlphaByte* selection, const SxPoint& point,
                    uint32_t colour, SxBrush& brush, float stampScale);

/** Moves the mask towards 255 by stamp x selection x strength (0..255) x weight; never
    past 255. The selection is read at the same pixel; outside it counts as 0. */
void stampPaintDab (SxImageAlphaByte& mask, const SxImageAlphaByte* selection, const SxPoint& point,
                    int strength, SxBrush& brush, float stampScale);

/** Lowers the mask by stamp x selection x factor x weight (stamp at scale 1), limited to
    0..255. The selection is read at the same pixel; outside it counts as 0. */
void stampEraseDab (SxImageAlphaByte& mask, const SxImageAlphaByte* selection, const SxPoint& point,
                    SxBrush& brush, float factor);
