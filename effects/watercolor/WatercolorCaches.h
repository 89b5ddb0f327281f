#pragma once

#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxSmartPtr.h"

/** The images a watercolour layer keeps between renders.

    Each is either null or valid for the current settings: the layer releases the ones a
    change depends on, and the render creates whatever is missing. dabLayer is rebuilt by
    every render and never carries anything from one render to the next.
*/
struct WatercolorCaches
{
    SxRef<SxImageAlphaByte> inkOutlineMask;  // ink outline at the size of the layer input
    SxRef<SxImageRgbaBytes> dabLayer;        // the brush dabs of the latest render
    SxRef<SxImageRgbaBytes> paperImage;      // paper, loaded for the render scale
    SxRef<SxImageRgbaBytes> borderImage;     // border, loaded for the render scale

    /** Drops every cached image. */
    void releaseAll()
    {
        inkOutlineMask.reset();
        dabLayer.reset();
        paperImage.reset();
        borderImage.reset();
    }
};
