#pragma once

#include <vector>

class SxLayerServices;

/** What the tool row needs of the layer stack, declared here because the kit may not reach
    up to the layers. LayerManager implements it. */
class SxLayerStackServices
{
public:
    /** Every selected layer, bottom first; the tool row shows a layer's tools only when
        exactly one is selected. */
    virtual std::vector<SxLayerServices*> getSelectedLayerServices() const = 0;

protected:
    ~SxLayerStackServices() = default;
};
