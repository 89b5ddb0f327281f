#pragma once

#include "Layer.h"
#include "LayerCallback.h"
#include "LayerManagerCallback.h"
#include "LayerSaveOptions.h"
#include "RenderParameters.h"
#include "SxLayerStackServices.h"

#include <memory>
#include <vector>

/** The document's layer stack: index 0 is the base image layer, effect layers above it,
    bottom to top.

    The stack deletes the layers it still holds when it is destroyed and whenever an
    operation says it deletes; layers only detached or dropped from the list go back to
    the caller. The selection lives in the layers' own flags.

    No lock: renderStack runs on whichever single thread calls it; edits, selection and
    invalidation belong to the message thread.

    Saved stacks ("LayerCount", "SelectedLayer", then per effect layer i from 1
    "ClassName"i, "EffectDictionary"i, "SubLayerCount"i and the sub-layer keys) name each
    layer by its class name and rebuild it from the registered prototypes.
*/
class LayerManager : public SxLayerStackServices
{
public:
    LayerManager();
    /** Deletes every layer still in the stack, bottom-up. */
    virtual ~LayerManager();

    void setCallback (LayerManagerCallback* newCallback) noexcept { callback = newCallback; }
    LayerManagerCallback* getCallback() const noexcept { return callback; }

    /** Set while the document renders at the full size of the opened image. */
    void setFullResolutionRender (bool shouldBeFull) noexcept { fullResolutionRender = shouldBeFull; }
    bool isFullResolutionRender() const noexcept { return fullResolutionRender; }

    //==============================================================================
    // Whole-stack operations

    virtual void resetAllToDefaults();
    virtual void randomizeAllLayers();
    virtual void rescaleAllToNewImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second);
    virtual void rescaleAllToPreviousImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second);

    //==============================================================================
    // The list

    /** A copy of the list, bottom to top. */
    std::vector<Layer*> getLayers() const { return layers; }
    int getNumLayers() const noexcept { return (int) layers.size(); }
    /** The layer at position index, or null outside the stack. */
    Layer* getLayer (int index) const noexcept;
    /** Position of layer, or the stack size when it is absent. */
    int findLayer (const Layer* layer) const noexcept;
    /** The layer at position 1, or null. */
    Layer* getFirstEffectLayer() const noexcept { return getLayer (1); }

    /** Takes the layer and puts it on top. */
    void addLayer (Layer* layer);
    /** Takes the layer and puts it at position index + 1 (index 0 = directly above the
        base); an index beyond the effect layers puts it on top. */
    void insertLayerAt (Layer* layer, int index);
    /** Takes the layer and puts it directly below existing; nothing when existing is absent. */
    void insertLayerBelow (Layer* layer, Layer* existing);
    /** Takes the layer and puts it directly above the selected layer (or the selected
        sub-layer's holder); on top when nothing selected lies in the stack. */
    virtual void insertLayerAboveSelection (Layer* layer);
    /** Drops the layer from the list without deleting or marking anything. */
    void detachLayer (Layer* layer);
    /** Deletes the layer (when in the stack) and marks the layers that were above it. */
    void removeLayer (Layer* layer);
    /** Single-effect mode: takes out the layer at position 1 (deleting it when deleteOld,
        otherwise handing it back to the caller) and puts layer on top, marked. */
    void replaceEffectLayer (Layer* layer, bool deleteOld);
    /** Empties the stack, or everything above the base when includeBase is false;
        the layers are deleted only when deleteLayers is true. */
    void clearLayers (bool includeBase, bool deleteLayers);

    //==============================================================================
    // Selection

    /** exclusive: every layer and sub-layer becomes selected exactly when it is layer;
        otherwise only layer becomes selected. The callback hears of the change. */
    virtual void selectLayer (Layer* layer, bool exclusive);
    /** Deselects layer, or with allOthers every other top-level layer. */
    virtual void deselectLayer (Layer* layer, bool allOthers);
    /** The first selected layer bottom-up, each layer before its own sub-layers. */
    virtual Layer* getSelectedLayer() const;
    /** Position of the first selected top-level layer, 0 when none. */
    virtual int getSelectedIndex() const;
    virtual std::vector<Layer*> getSelectedLayers() const;
    /** getSelectedLayers, as the tool row sees them. */
    std::vector<SxLayerServices*> getSelectedLayerServices() const override;
    /** The first layer above the base that is pinned to the bottom; null when none. */
    virtual Layer* getBottomPinnedLayer() const;
    /** Moves a pinned layer to position 1 when position 1 is not pinned. */
    virtual void pinBottomLayer();
    /** True when some layer above layer (or above its holder) is visible. */
    virtual bool hasVisibleLayerAbove (Layer* layer);

    //==============================================================================
    // Invalidation and rendering

    virtual void invalidateAllLayers();
    /** Marks layer and every layer above it that a change below invalidates;
        with requestRenderToo a whole-image render is requested. */
    virtual void invalidateFromLayer (Layer* layer, bool requestRenderToo);
    /** Marks the layers above layer; true when any of them needs rendering. */
    virtual bool invalidateLayersAbove (Layer* layer, bool requestRenderToo);
    /** Asks the callback for a render of area (null = whole image). */
    virtual void requestRender (const RectBounds* area);
    /** The next renderStack starts from a copy of params instead of a fresh record. */
    virtual void setPendingRenderParameters (const RenderParameters& params);

    /** Renders the stack and returns the composite, or null when there is nothing to
        render (empty stack, or a base layer without an image).

        Without copyResult the image stays owned by the layer that produced it (or by the
        base layer's owner) and is valid until the next edit or render. With copyResult the
        caller holds the returned image's one reference and must release it: the top
        rendered layer's output is handed over (that layer renders again next time), or a
        clone when the result is still the base image. */
    virtual SxImageRgbaBytes* renderStack (const RectBounds* area, bool callerFlag, bool copyResult);

    //==============================================================================
    // Registry and persistence

    /** Registers a prototype that loading clones by class name. */
    static void registerEffectPrototype (Layer* prototype);
    /** A new layer of that class name from the prototypes, or null; the caller owns it. */
    static Layer* createLayerByClassName (const juce::String& name);

    /** Writes the stack's keys into set (the base layer itself is not saved). */
    virtual void saveToPropertySet (SxPropertySet& set, const LayerSaveOptions& options);

    /** Rebuilds the stack above the base from set, or, for an undo snapshot of an
        unchanged stack (nested sets, same class list and selection, a valid
        "ActiveUndoLayer"), reloads only that layer's settings. layerCallback is given to
        every created layer. With requestRenderAfter a render is requested after a rebuild. */
    virtual void loadFromPropertySet (const SxPropertySet& set, LayerCallback* layerCallback,
                                      const LayerSaveOptions& options, bool requestRenderAfter);

    //==============================================================================
    // Layer presets

    /** Writes the selected effect layers (top level, bottom-up) into set: "LayerCount",
        then per layer k from 0 "ClassName"k, "EffectDictionary"k (XML text) and the
        sub-layer keys. With fewer than two layers in the stack only "LayerCount". */
    virtual void saveLayerPreset (SxPropertySet& set);

    /** Adds the preset's layers on top of the stack (unknown class names skipped), selects
        the top layer and requests a render. False, with the stack untouched, when the
        effect layers would exceed the host's limit (10 without a host). */
    virtual bool applyLayerPreset (const SxPropertySet& set, LayerCallback* layerCallback);

private:
    std::vector<Layer*> layers;
    LayerManagerCallback* callback = nullptr;
    std::unique_ptr<RenderParameters> pendingRenderParameters;
    bool fullResolutionRender = false;

    void adopt (Layer* layer, size_t position);
    void markFrom (size_t position);
    bool canTakeQuickPath (const SxPropertySet& set, const LayerSaveOptions& options, int layerCount, int selectedIndex) const;
    /** Layer index of set; with keepSettingsWithoutRecord a layer whose dictionary is
        missing or unreadable keeps its constructor settings and gets no sub-layers. */
    Layer* loadLayer (const SxPropertySet& set, int index, LayerCallback* layerCallback,
                      const LayerSaveOptions& options, bool keepSettingsWithoutRecord = false);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LayerManager)
};
