#pragma once

#include "RectBounds.h"

/** What a layer stack asks of its host. Defaults do nothing (scale 1.0). */
class LayerManagerCallback
{
public:
    virtual ~LayerManagerCallback() = default;

    /** Starts a preview render of area (null = whole image); showBusy asks for the busy overlay. */
    virtual void renderLayers (bool /*showBusy*/, const RectBounds* /*area*/) {}
    /** The same as renderLayers. */
    virtual void layersChanged (bool /*showBusy*/, const RectBounds* /*area*/) {}
    /** Size factor of preview renders. */
    virtual float getRenderScale() { return 1.0f; }
    /** The selection of the stack changed. */
    virtual void layerSelectionChanged() {}
    /** Most effect layers a stack may hold; -1 means no limit. */
    virtual int getMaxLayerCount() { return defaultMaxLayerCount; }

    static constexpr int defaultMaxLayerCount = 10;
};
