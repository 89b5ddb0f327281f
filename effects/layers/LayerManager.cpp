#include "LayerManager.h"

#include "LayerRegistry.h"
#include "PropertyValues.h"

#include <algorithm>

namespace
{
    // The framework offers the pair list of a const set only through a non-const accessor.
    int countKeys (const SxPropertySet& set)
    {
        return const_cast<SxPropertySet&> (set).getAllProperties().size();
    }

    // Sub-layers always lie in the set as one-line records, in stacks and layer presets alike.
    void saveSubLayers (SxPropertySet& set, Layer& layer, const juce::String& index, const LayerSaveOptions& options)
    {
        const auto subLayers = layer.getSubLayers();
        setIntProperty (set, "SubLayerCount" + index, (int) subLayers.size());
        for (size_t j = 0; j < subLayers.size(); ++j)
        {
            const auto suffix = index + "Sub" + juce::String ((int) j);
            setStringProperty (set, "SubLayerClassName" + suffix, subLayers[j]->getClassName());
            SxPropertySet subSettings;
            subLayers[j]->saveToPropertySet (subSettings, options);
            subSettings.writeAsRecord (set, "SubLayerEffectDictionary" + suffix);
        }
    }
}

LayerManager::LayerManager() = default;

LayerManager::~LayerManager()
{
    for (auto* layer : layers)
        delete layer;
    layers.clear();
}

//==============================================================================
void LayerManager::resetAllToDefaults()
{
    for (auto* layer : layers)
        layer->resetToDefaults();
}

void LayerManager::randomizeAllLayers()
{
    for (auto* layer : layers)
        layer->randomizeSettings();
}

void LayerManager::rescaleAllToNewImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second)
{
    for (auto* layer : layers)
        layer->rescaleToNewImage (first, second);
}

void LayerManager::rescaleAllToPreviousImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second)
{
    for (auto* layer : layers)
        layer->rescaleToPreviousImage (first, second);
}

//==============================================================================
Layer* LayerManager::getLayer (int index) const noexcept
{
    return index >= 0 && index < (int) layers.size() ? layers[(size_t) index] : nullptr;
}

int LayerManager::findLayer (const Layer* layer) const noexcept
{
    return (int) (std::find (layers.begin(), layers.end(), layer) - layers.begin());
}

void LayerManager::adopt (Layer* layer, size_t position)
{
    layer->setManager (this);
    layers.insert (layers.begin() + (std::ptrdiff_t) std::min (position, layers.size()), layer);
}

void LayerManager::markFrom (size_t position)
{
    for (size_t i = position; i < layers.size(); ++i)
        if (layers[i]->isInvalidatedByLayersBelow())
            layers[i]->setNeedsRender (true);
}

void LayerManager::addLayer (Layer* layer)
{
    if (layer != nullptr)
        adopt (layer, layers.size());
}

void LayerManager::insertLayerAt (Layer* layer, int index)
{
    if (layer != nullptr)
        adopt (layer, (size_t) std::max (index, 0) + 1);
}

void LayerManager::insertLayerBelow (Layer* layer, Layer* existing)
{
    const auto position = (size_t) findLayer (existing);
    if (layer != nullptr && position < layers.size())
        adopt (layer, position);
}

void LayerManager::insertLayerAboveSelection (Layer* layer)
{
    if (layer == nullptr)
        return;
    auto* anchor = getSelectedLayer();
    if (anchor != nullptr && anchor->getParent() != nullptr)
        anchor = anchor->getParent();
    const auto position = (size_t) findLayer (anchor);
    adopt (layer, position < layers.size() ? position + 1 : layers.size());
}

void LayerManager::detachLayer (Layer* layer)
{
    const auto found = std::find (layers.begin(), layers.end(), layer);
    if (found != layers.end())
        layers.erase (found);
}

void LayerManager::removeLayer (Layer* layer)
{
    const auto position = (size_t) findLayer (layer);
    if (position >= layers.size())
    {
        markFrom (0);
        return;
    }
    invalidateFromLayer (layer, false);
    layers.erase (layers.begin() + (std::ptrdiff_t) position);
    delete layer;
    markFrom (position);
}

void LayerManager::replaceEffectLayer (Layer* layer, bool deleteOld)
{
    if (layers.size() >= 2)
    {
        auto* old = layers[1];
        // The layer may come back in its own place: then it is moved, never deleted.
        if (deleteOld && old != layer)
            removeLayer (old);
        else
            layers.erase (layers.begin() + 1);
    }
    if (layer == nullptr)
        return;
    adopt (layer, layers.size());
    layer->setNeedsRender (true);
}

void LayerManager::clearLayers (bool includeBase, bool deleteLayers)
{
    if (includeBase)
    {
        while (! layers.empty())
        {
            if (deleteLayers)
                removeLayer (layers.front());
            else
                layers.erase (layers.begin());
        }
        return;
    }
    while (layers.size() > 1)
    {
        auto* top = layers.back();
        layers.pop_back();
        if (deleteLayers)
            delete top;
    }
}

//==============================================================================
void LayerManager::selectLayer (Layer* layer, bool exclusive)
{
    for (auto* candidate : layers)
    {
        if (exclusive || candidate == layer)
            candidate->setSelected (candidate == layer);
        for (auto* subLayer : candidate->getSubLayers())
            if (exclusive || subLayer == layer)
                subLayer->setSelected (subLayer == layer);
    }
    if (callback != nullptr)
        callback->layerSelectionChanged();
}

void LayerManager::deselectLayer (Layer* layer, bool allOthers)
{
    if (! allOthers)
    {
        if (layer != nullptr)
            layer->setSelected (false);
        return;
    }
    for (auto* candidate : layers)
        if (candidate != layer)
            candidate->setSelected (false);
}

Layer* LayerManager::getSelectedLayer() const
{
    for (auto* layer : layers)
    {
        if (layer->isSelected())
            return layer;
        for (auto* subLayer : layer->getSubLayers())
            if (subLayer->isSelected())
                return subLayer;
    }
    return nullptr;
}

int LayerManager::getSelectedIndex() const
{
    for (size_t i = 0; i < layers.size(); ++i)
        if (layers[i]->isSelected())
            return (int) i;
    return 0;
}

std::vector<Layer*> LayerManager::getSelectedLayers() const
{
    std::vector<Layer*> result;
    for (auto* layer : layers)
        if (layer->isSelected())
            result.push_back (layer);
    return result;
}

std::vector<SxLayerServices*> LayerManager::getSelectedLayerServices() const
{
    std::vector<SxLayerServices*> result;
    for (auto* layer : getSelectedLayers())
        result.push_back (layer);
    return result;
}

Layer* LayerManager::getBottomPinnedLayer() const
{
    for (size_t i = 1; i < layers.size(); ++i)
        if (layers[i]->isBottomPinned())
            return layers[i];
    return nullptr;
}

void LayerManager::pinBottomLayer()
{
    if (layers.size() < 3 || layers[1]->isBottomPinned())
        return;
    if (auto* pinned = getBottomPinnedLayer())
    {
        detachLayer (pinned);
        layers.insert (layers.begin() + 1, pinned);
    }
}

bool LayerManager::hasVisibleLayerAbove (Layer* layer)
{
    if (layer == nullptr)
        return false;
    layer->setManager (this);
    auto* anchor = layer->getParent() != nullptr ? layer->getParent() : layer;
    const auto position = (size_t) findLayer (anchor);
    for (size_t i = position + 1; i < layers.size(); ++i)
        if (layers[i]->isVisible())
            return true;
    return false;
}

//==============================================================================
void LayerManager::invalidateAllLayers()
{
    for (auto* layer : layers)
        layer->setNeedsRender (true);
}

void LayerManager::invalidateFromLayer (Layer* layer, bool requestRenderToo)
{
    const auto position = findLayer (layer);
    for (int i = (int) layers.size() - 1; i >= position; --i)
        if (layers[(size_t) i]->isInvalidatedByLayersBelow() || layers[(size_t) i] == layer)
            layers[(size_t) i]->setNeedsRender (true);
    if (layer != nullptr)
        layer->setNeedsRender (true);
    if (requestRenderToo)
        requestRender (nullptr);
}

bool LayerManager::invalidateLayersAbove (Layer* layer, bool requestRenderToo)
{
    const auto position = findLayer (layer);
    bool anyNeedsRender = false;
    for (int i = (int) layers.size() - 1; i > position; --i)
    {
        auto* above = layers[(size_t) i];
        if (above->isInvalidatedByLayersBelow())
        {
            above->setNeedsRender (true);
            anyNeedsRender = true;
        }
        else
        {
            anyNeedsRender = anyNeedsRender || above->needsRender();
        }
    }
    if (requestRenderToo)
        requestRender (nullptr);
    return anyNeedsRender;
}

void LayerManager::requestRender (const RectBounds* area)
{
    if (callback != nullptr)
        callback->renderLayers (true, area);
}

void LayerManager::setPendingRenderParameters (const RenderParameters& params)
{
    pendingRenderParameters = std::make_unique<RenderParameters> (params);
}

SxImageRgbaBytes* LayerManager::renderStack (const RectBounds* area, bool callerFlag, bool copyResult)
{
    RenderParameters record;
    record.renderScale = callback != nullptr ? callback->getRenderScale() : 1.0f;
    record.fullResolution = fullResolutionRender;
    record.callerFlag = callerFlag;
    if (pendingRenderParameters != nullptr)
    {
        record = *pendingRenderParameters;
        pendingRenderParameters.reset();
    }

    if (layers.empty())
        return nullptr;
    auto* base = layers.front();

    if (area != nullptr)
    {
        record.area = *area;
    }
    else
    {
        const auto* image = base->getRenderedImage (record);
        if (image == nullptr)
            return nullptr;
        record.area = { 0.0f, 0.0f, (float) (image->width - 1), (float) (image->height - 1) };
    }

    base->setRenderParameters (record);
    record.image = record.baseImage = base->getRenderedImage (record);
    if (record.image == nullptr)
        return nullptr;

    Layer* producer = base;
    const auto rendersNow = [] (const Layer* layer) { return layer->isVisible() || layer->rendersWhenHidden(); };

    for (size_t i = 1; i < layers.size(); ++i)
    {
        auto* layer = layers[i];
        layer->setRenderParameters (record);
        if (rendersNow (layer))
        {
            // A layer that produced nothing passes its input through.
            if (auto* output = layer->getRenderedImage (record))
            {
                record.image = output;
                producer = layer;
            }
        }

        if (fullResolutionRender && layers.size() >= 3 && i >= 2)
        {
            auto* below = layers[i - 1];
            if (below->getOutputImage() != nullptr && below->getOutputImage() != record.image
                && rendersNow (layer) && layer->getOutputImage() != nullptr)
                below->releaseOutputImage();
        }
    }

    if (! copyResult)
        return record.image;
    if (producer != base && producer->getOutputImage() == record.image)
        return producer->takeOutputImage();
    return record.image->clone();
}

//==============================================================================
void LayerManager::registerEffectPrototype (Layer* prototype)
{
    ::registerEffectPrototype (prototype);
}

Layer* LayerManager::createLayerByClassName (const juce::String& name)
{
    return ::createLayerByClassName (name);
}

void LayerManager::saveToPropertySet (SxPropertySet& set, const LayerSaveOptions& options)
{
    setIntProperty (set, "LayerCount", std::max ((int) layers.size() - 1, 0));
    setIntProperty (set, "SelectedLayer", getSelectedIndex());

    for (size_t i = 1; i < layers.size(); ++i)
    {
        const juce::String index ((int) i);
        auto* layer = layers[i];
        setStringProperty (set, "ClassName" + index, layer->getClassName());

        SxPropertySet settings;
        layer->saveToPropertySet (settings, options);
        if (options.nestedSets)
            set.addChildSet (settings, "EffectDictionary" + index);
        else
            settings.writeAsRecord (set, "EffectDictionary" + index);

        saveSubLayers (set, *layer, index, options);
    }
}

bool LayerManager::canTakeQuickPath (const SxPropertySet& set, const LayerSaveOptions& options,
                                     int layerCount, int selectedIndex) const
{
    const auto n = (int) layers.size();
    if (! options.nestedSets || n != layerCount + 1 || getSelectedIndex() != selectedIndex)
        return false;
    const int active = set.getIntValue ("ActiveUndoLayer", -1);
    if (active < 0 || active >= n)
        return false;
    for (int i = 1; i <= layerCount; ++i)
        if (set.getValue ("ClassName" + juce::String (i), {}) != layers[(size_t) i]->getClassName())
            return false;
    return true;
}

Layer* LayerManager::loadLayer (const SxPropertySet& set, int index, LayerCallback* layerCallback,
                                const LayerSaveOptions& options, bool keepSettingsWithoutRecord)
{
    const juce::String key (index);
    std::unique_ptr<Layer> layer (createLayerByClassName (set.getValue ("ClassName" + key, {})));
    if (layer == nullptr)
        return nullptr;
    layer->setManager (this);
    layer->setCallback (layerCallback);

    SxPropertySet settings;
    if (options.nestedSets)
        settings = set.getChildSet ("EffectDictionary" + key);
    else if (auto record = SxPropertySet::readRecord (set, "EffectDictionary" + key))
        settings = *record;
    else if (keepSettingsWithoutRecord)
        return layer.release();
    layer->loadFromPropertySet (settings, options);
    layer->setManager (this);

    const int keyCount = countKeys (set);
    const int subLayerCount = std::min (set.getIntValue ("SubLayerCount" + key, 0), keyCount);
    for (int j = 0; j < subLayerCount; ++j)
    {
        const auto suffix = key + "Sub" + juce::String (j);
        std::unique_ptr<Layer> subLayer (createLayerByClassName (set.getValue ("SubLayerClassName" + suffix, {})));
        if (subLayer == nullptr)
            continue;
        subLayer->setManager (this);
        subLayer->setCallback (layerCallback);
        subLayer->setParent (layer.get());
        if (auto subSettings = SxPropertySet::readRecord (set, "SubLayerEffectDictionary" + suffix))
        {
            subLayer->loadFromPropertySet (*subSettings, options);
            subLayer->setManager (this);
            layer->addSubLayer (subLayer.release());
        }
    }
    return layer.release();
}

void LayerManager::loadFromPropertySet (const SxPropertySet& set, LayerCallback* layerCallback,
                                        const LayerSaveOptions& options, bool requestRenderAfter)
{
    const int selectedIndex = set.getIntValue ("SelectedLayer", -1);
    // Positions are read one by one, so a count far beyond the keys present would only spin.
    const int layerCount = std::min (set.getIntValue ("LayerCount", 0), countKeys (set));

    if (canTakeQuickPath (set, options, layerCount, selectedIndex))
    {
        const int active = set.getIntValue ("ActiveUndoLayer", -1);
        layers[(size_t) active]->loadFromPropertySet (set.getChildSet ("EffectDictionary" + juce::String (active)), options);
        if (callback != nullptr)
            callback->renderLayers (true, nullptr);
        return;
    }

    while (layers.size() > 1)
    {
        delete layers.back();
        layers.pop_back();
    }

    for (int i = 1; i <= layerCount; ++i)
        if (auto* layer = loadLayer (set, i, layerCallback, options))
            layers.push_back (layer);

    if (getSelectedLayer() == nullptr && layers.size() >= 2)
    {
        // Skipped class names leave fewer layers than the file counted: the selection
        // then falls on the top layer.
        const auto top = (int) layers.size() - 1;
        const int k = selectedIndex >= 1 ? std::min (selectedIndex, top) : top;
        selectLayer (layers[(size_t) k], true);
    }

    if (requestRenderAfter)
        requestRender (nullptr);
}

//==============================================================================
void LayerManager::saveLayerPreset (SxPropertySet& set)
{
    std::vector<Layer*> chosen;
    for (size_t i = 1; i < layers.size(); ++i)
        if (layers[i]->isSelected())
            chosen.push_back (layers[i]);

    setIntProperty (set, "LayerCount", (int) chosen.size());
    if (layers.size() < 2)
        return;

    const LayerSaveOptions options { false };
    for (size_t k = 0; k < chosen.size(); ++k)
    {
        const juce::String index ((int) k);
        auto* layer = chosen[k];
        setStringProperty (set, "ClassName" + index, layer->getClassName());
        SxPropertySet settings;
        layer->saveToPropertySet (settings, options);
        settings.writeAsRecord (set, "EffectDictionary" + index);

        saveSubLayers (set, *layer, index, options);
    }
}

bool LayerManager::applyLayerPreset (const SxPropertySet& set, LayerCallback* layerCallback)
{
    const int count = std::max (0, set.getIntValue ("LayerCount", 0));
    const int limit = callback != nullptr ? callback->getMaxLayerCount() : LayerManagerCallback::defaultMaxLayerCount;
    // Counted in 64 bits: a hostile count must not wrap past the limit.
    const auto effectLayersAfter = (int64_t) std::max ((int) layers.size() - 1, 0) + (int64_t) count;
    if (limit != -1 && effectLayersAfter > (int64_t) limit)
        return false;

    // Layers are read position by position, so a count beyond the keys present would only spin.
    const int readable = std::min (count, countKeys (set));
    for (int k = 0; k < readable; ++k)
        if (auto* layer = loadLayer (set, k, layerCallback, LayerSaveOptions { false }, true))
            layers.push_back (layer);

    if (layers.size() >= 2)
        selectLayer (layers.back(), true);
    requestRender (nullptr);
    return true;
}
