#include "StaticImageLayer.h"

#include "Geometry.h"

SxImageRgbaBytes* StaticImageLayer::getRenderedImage (RenderParameters& params)
{
    renderNeeded = false;
    if (sourceImage == nullptr)
        return nullptr;

    const int w = sourceImage->width;
    const int h = sourceImage->height;
    if (changeMask.get() == nullptr || changeMask->width != w || changeMask->height != h)
    {
        changeMask.reset();
        changeMask = SxRef<SxImageAlphaByte> (new SxImageAlphaByte (w, h));
    }

    clipRectToBounds (params.area, { 0.0f, 0.0f, (float) (w - 1), (float) (h - 1) });
    changeMask->fillRect (params.area, 0);
    params.changeMask = changeMask.get();
    return sourceImage;
}
