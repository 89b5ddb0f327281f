#include "Layer.h"

#include "EffectPresetFolders.h"
#include "GenericImageList.h"
#include "LayerManager.h"
#include "LayerRegistry.h"
#include "PropertyValues.h"
#include "SxColorPicker.h"
#include "SxMainTabComponent.h"

#include <algorithm>
#include <functional>
#include <typeinfo>
#include <utility>

Layer::Layer() = default;

Layer::~Layer()
{
    outputImage.reset();
    auxImage.reset();
    destroyControls();
    removeTools();
}

juce::String Layer::getClassName() const
{
    return classNameFromTypeName (typeid (*this).name());
}

juce::String Layer::getLayerName() const
{
    return name.isNotEmpty() ? name : getShortName();
}

//==============================================================================
void Layer::saveToPropertySet (SxPropertySet& set, const LayerSaveOptions&)
{
    setStringProperty (set, "layerName", name);
    setFloatProperty (set, "layerOpacity", opacity);
    setBoolProperty (set, "visible", visible);
    setIntProperty (set, "compositeMode", compositeMode);
}

void Layer::loadFromPropertySet (const SxPropertySet& set, const LayerSaveOptions&)
{
    auxImage.reset();
    name = set.getValue ("layerName", {});
    opacity = getFloatProperty (set, "layerOpacity", 1.0f);
    visible = set.getIntValue ("visible", 1) != 0;
    compositeMode = set.getIntValue ("compositeMode", 0);
    setNeedsRender (true);
}

void Layer::copyFrom (Layer& source)
{
    const LayerSaveOptions options { false };
    SxPropertySet set;
    source.saveToPropertySet (set, options);

    const auto sourceSubLayers = source.getSubLayers();
    setIntProperty (set, "SubLayerCount", (int) sourceSubLayers.size());
    for (size_t j = 0; j < sourceSubLayers.size(); ++j)
    {
        const auto suffix = "Sub" + juce::String ((int) j);
        setStringProperty (set, "SubLayerClassName" + suffix, sourceSubLayers[j]->getClassName());
        SxPropertySet subSet;
        sourceSubLayers[j]->saveToPropertySet (subSet, options);
        subSet.writeAsRecord (set, "SubLayerEffectDictionary" + suffix);
    }

    selected = false;
    setNeedsRender (true);
    callback = source.callback;
    manager = source.manager;
    loadFromPropertySet (set, options);

    const int count = set.getIntValue ("SubLayerCount", 0);
    for (int j = 0; j < count; ++j)
    {
        const auto suffix = "Sub" + juce::String (j);
        std::unique_ptr<Layer> subLayer (createLayerByClassName (set.getValue ("SubLayerClassName" + suffix, {})));
        if (subLayer == nullptr)
            continue;
        const auto subSet = SxPropertySet::readRecord (set, "SubLayerEffectDictionary" + suffix);
        if (! subSet)
            continue;
        subLayer->parent = this;
        subLayer->loadFromPropertySet (*subSet, options);
        subLayer->manager = manager;
        subLayer->selected = false;
        subLayer->setNeedsRender (true);
        subLayers.push_back (std::move (subLayer));
    }
}

void Layer::applyTextPreset (const juce::String&)
{
    setNeedsRender (true);
}

bool Layer::hasEffectPresets() const
{
    return EffectPresetFolders::holdsPresets (EffectPresetFolders::getEffectPresetFolder (getDisplayName()));
}

bool Layer::installPresetFile (const juce::String& fileName, const void* data, size_t size, const juce::String& folderName)
{
    const auto folder = EffectPresetFolders::getEffectPresetFolder (folderName.isNotEmpty() ? folderName : getDisplayName());
    return EffectPresetFolders::writePresetFile (folder, fileName, data, size);
}

//==============================================================================
void Layer::render (RenderParameters& params)
{
    prepareOutputImage (params);
}

SxImageRgbaBytes* Layer::getRenderedImage (RenderParameters& params)
{
    const bool fits = outputImage.get() != nullptr && params.image != nullptr
                   && outputImage->width == params.image->width
                   && outputImage->height == params.image->height;
    // Cleared before rendering: a mark made while this render runs (on another thread)
    // survives it, so the change is not lost.
    if (renderNeeded.exchange (false) || ! fits)
        render (params);
    return outputImage.get();
}

static void prepareImage (SxRef<SxImageRgbaBytes>& image, const RenderParameters& params)
{
    if (params.image == nullptr)
    {
        image.reset();
        return;
    }
    if (image.get() != nullptr && image->width == params.image->width && image->height == params.image->height)
        return;
    image.reset();
    image = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (params.image->width, params.image->height));
}

void Layer::prepareOutputImage (const RenderParameters& params) { prepareImage (outputImage, params); }
void Layer::prepareAuxImage (const RenderParameters& params)    { prepareImage (auxImage, params); }
void Layer::releaseOutputImage()                                 { outputImage.reset(); }

void Layer::dropCachedImages()
{
    auxImage.reset();
    releaseOutputImage();
}

void Layer::onSourceImageReplaced (SxImageRgbaBytes*, bool)
{
    auxImage.reset();
    releaseOutputImage();
}

void Layer::rescaleToNewImage (SxImageRgbaBytes*, SxImageRgbaBytes*) {}
void Layer::rescaleToPreviousImage (SxImageRgbaBytes*, SxImageRgbaBytes*) {}

void Layer::parametersChanged (const RectBounds* area)
{
    if (manager == nullptr)
    {
        setNeedsRender (true);
        return;
    }
    if (area != nullptr)
    {
        manager->invalidateFromLayer (this, false);
        manager->requestRender (area);
    }
    else
    {
        manager->invalidateFromLayer (this, true);
    }
}

void Layer::renderRegionNow (const RectBounds& area, bool flag)
{
    if (callback != nullptr)
        callback->renderRegionNow (area, flag);
}

void Layer::renderAllNow (bool flag)
{
    if (callback == nullptr)
        return;
    const auto* image = outputImage.get() != nullptr ? outputImage.get() : callback->getWorkingImage();
    if (image == nullptr)
        return;
    callback->renderRegionNow ({ 0.0f, 0.0f, (float) (image->width - 1), (float) (image->height - 1) }, flag);
}

//==============================================================================
void Layer::setNeedsRender (bool shouldRender)
{
    renderNeeded = shouldRender;
    for (auto& subLayer : subLayers)
        subLayer->setNeedsRender (shouldRender);
}

void Layer::recordUndoState()
{
    if (callback != nullptr)
        callback->recordUndoState();
}

//==============================================================================
void Layer::addSubLayer (Layer* layer)
{
    if (layer != nullptr)
        subLayers.emplace_back (layer);
}

void Layer::insertSubLayer (Layer* layer, int index)
{
    if (layer == nullptr)
        return;
    const auto position = (size_t) std::clamp (index + 1, 0, (int) subLayers.size());
    subLayers.emplace (subLayers.begin() + (std::ptrdiff_t) position, layer);
}

void Layer::removeSubLayer (Layer* layer)
{
    const auto found = std::find_if (subLayers.begin(), subLayers.end(), [layer] (auto& s) { return s.get() == layer; });
    if (found == subLayers.end())
        return;
    found->release();
    subLayers.erase (found);
}

std::vector<Layer*> Layer::getSubLayers() const
{
    std::vector<Layer*> result;
    for (auto& subLayer : subLayers)
        result.push_back (subLayer.get());
    return result;
}

//==============================================================================
void Layer::addTool (std::shared_ptr<SxTool> tool, bool makeActive)
{
    if (tool == nullptr)
        return;
    tools.push_back (std::move (tool));
    if (makeActive)
        activeTool = tools.front().get();
}

void Layer::removeTool (SxTool* tool)
{
    const auto found = std::find_if (tools.begin(), tools.end(), [tool] (auto& t) { return t.get() == tool; });
    if (found != tools.end())
        tools.erase (found);
    activeTool = tools.empty() ? nullptr : tools.front().get();
}

void Layer::removeTools()
{
    for (auto& tool : tools)
        if (callback != nullptr && callback->getSelectedTool() == tool.get())
            callback->selectTool (nullptr);
    tools.clear();
    activeTool = nullptr;
}

void Layer::setActiveTool (SxTool* tool)
{
    const bool alreadyCurrent = tool != nullptr && callback != nullptr && callback->getSelectedTool() == tool;
    if (! alreadyCurrent && callback != nullptr)
        callback->selectTool (tool);
    activeTool = tool;
}

std::vector<SxTool*> Layer::getTools() const
{
    std::vector<SxTool*> result;
    for (auto& tool : tools)
        result.push_back (tool.get());
    return result;
}

namespace
{
    /** A thumbnail panel slides in outside the page and a colour call-out sits on the
        window: both would outlive the page. They close before it goes, and report nothing
        while closing (the layer may be half torn down). */
    void closePopupsOf (juce::Component& page)
    {
        juce::Array<juce::Component*> descendants;
        std::function<void (juce::Component&)> collect = [&] (juce::Component& c)
        {
            for (auto* child : c.getChildren())
            {
                descendants.add (child);
                collect (*child);
            }
        };
        collect (page);

        for (auto* c : descendants)
        {
            if (auto* list = dynamic_cast<GenericImageList*> (c))
            {
                list->callback = nullptr;
                if (list->isOpen())
                    list->dismiss();
            }
            else if (auto* picker = dynamic_cast<SxColorPicker*> (c))
            {
                picker->callback = nullptr;
                picker->boundColour = nullptr;
            }
        }
    }
}

void Layer::buildControls()
{
    destroyControls();
    removeTools();
    createControlTabs();
}

void Layer::refreshControls()
{
    for (auto* page : controlTabs)
        page->update();
}

void Layer::destroyControls()
{
    // The list empties first: a page's teardown must find no page of this layer to refresh.
    const auto pages = std::exchange (controlTabs, {});

    for (auto* page : pages)
        closePopupsOf (*page);

    // A page deletes its rows with itself, and leaves the effect panel that shows it.
    for (auto* page : pages)
        delete page;
}

void Layer::createControlTabs()
{
    const int count = juce::jmax (getControlTabCount(), 1);

    for (int i = 0; i < count; ++i)
    {
        auto* page = new SxMainTabComponent (false, tabComponentOption());
        page->setName (juce::String (i));
        page->setBounds (0, 0, 256, 1000);
        page->setVisible (i == 0);
        controlTabs.push_back (page);
    }
}

int Layer::getSelectedControlTab() const
{
    return selectedControlTab >= 0 ? selectedControlTab : getInitialControlTab();
}
