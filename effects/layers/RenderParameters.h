#pragma once

#include "RectBounds.h"

class SxImageAlphaByte;
class SxImageRgbaBytes;

/** The record handed up the layer stack during one render.

    image is the composite so far: the input of the layer about to render, replaced by
    each rendered layer's output. None of the pointers is owned by the record.
*/
struct RenderParameters
{
    /** Size factor of the render (1.0 unless the host says otherwise). */
    float renderScale = 1.0f;
    SxImageRgbaBytes* image = nullptr;
    /** The image returned by the base layer. */
    SxImageRgbaBytes* baseImage = nullptr;
    /** Mask of the base image's size, published by the base layer. */
    SxImageAlphaByte* changeMask = nullptr;
    /** True while the document renders at the full size of the opened image. */
    bool fullResolution = false;
    /** Passed through from the caller of the stack render. */
    bool callerFlag = false;
    /** Inclusive pixel rectangle to render; unset means "not chosen yet". */
    RectBounds area;
};
