#include "DabPainter.h"

#include "BrushRenderLock.h"

DabPainter::~DabPainter()
{
    // The renderer deletes its GL objects on the shared context before the atlas goes.
    renderer.reset();
}

const SpriteSheet& DabPainter::getAtlas()
{
    if (! atlasRead)
    {
        atlasRead = true;
        WatercolorRender::loadBrushAtlas (atlas);
    }
    return atlas;
}

bool DabPainter::paint (SxImageRgbaBytes& dabLayer, const WatercolorRender::DabList& dabs, float hueShift)
{
    const juce::ScopedLock lock (brushRenderLock);
    if (renderer == nullptr && ! dabs.empty())
    {
        getAtlas();
        SpriteSheetList sheets;
        sheets.push_back (&atlas);
        sheets.equaliseSizes();
        renderer = std::make_unique<SpriteRendererMultiplyBrush> (sheets);
        renderer->setKeepsResources (true);
    }
    return WatercolorRender::paintDabLayer (dabLayer, renderer.get(), dabs, hueShift);
}

void DabPainter::release()
{
    if (renderer != nullptr)
        renderer->releaseResources();
}
