#pragma once

#include "SpriteRendererMultiplyBrush.h"
#include "SpriteSheet.h"
#include "SpriteSheetList.h"
#include "WatercolorRender.h"

#include <memory>

/** The GPU side of one watercolour layer's dab layer, kept from one render to the next: the
    brush atlas with its texture, and a multiply-brush renderer that keeps its program and a
    render target of the last size (a render of another size replaces it). The layer lets
    all of it go with its caches (a new image, a rescale) and when it is destroyed.

    Painting gives the bytes WatercolorRender::paintDabLayer gives with a fresh renderer; it
    only skips compiling, allocating and uploading again. Use it under brushRenderLock.
*/
class DabPainter
{
public:
    DabPainter() = default;
    ~DabPainter();

    /** The brush atlas, read from the resource archive on first use; a sheet without frames
        when the archive lacks it. */
    const SpriteSheet& getAtlas();

    /** Fills the dab layer opaque white, multiplies the dabs into it on the GPU, then shifts
        its hue. Without a GPU the layer stays white and false is returned. */
    bool paint (SxImageRgbaBytes& dabLayer, const WatercolorRender::DabList& dabs, float hueShift);

    /** Deletes the GPU objects; the atlas's pixels stay for the next render. */
    void release();

private:
    SpriteSheet atlas;
    bool atlasRead = false;
    std::unique_ptr<SpriteRendererMultiplyBrush> renderer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DabPainter)
};
