#pragma once

#include "GenericImageListCallback.h"
#include "LayerCallback.h"
#include "LayerSaveOptions.h"
#include "RenderParameters.h"
#include "SxControlChangedCallback.h"
#include "SxImageRgbaBytes.h"
#include "SxLayerServices.h"
#include "SxMainTabComponentCallback.h"
#include "SxPropertySet.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>
#include <vector>

class LayerManager;
class SxMainTabComponent;
class SxTool;
class GenericImageList;

/** One entry of the document's layer stack.

    A layer takes the composite of everything below it (RenderParameters::image) and
    produces its own output image, which the stack hands to the next layer up. The
    output is cached: getRenderedImage renders only when the layer is marked
    (setNeedsRender) or its input size changed. Rendering, saving and loading need no
    window, widget or message loop and may run on any one thread at a time.

    Settings saved by the base class: "layerName", "layerOpacity", "visible",
    "compositeMode". Opacity and blend mode are kept and saved only; no render reads them.

    The control events arrive through the framework listeners below and through the kit's
    callback interfaces (control changed, image-list item chosen); all end in
    controlChanged or imageListItemChosen.
    Sub-layers belong to their holder and are deleted with it; so do the control pages,
    which the effect panel only shows (SxLayerServices).
*/
class Layer : public GenericImageListCallback,
              public SxControlChangedCallback,
              public juce::Button::Listener,
              public juce::Slider::Listener,
              public juce::MultiTimer,
              public SxMainTabComponentCallback,
              public SxLayerServices
{
public:
    Layer();
    /** Deletes the cached images, the control pages, the sub-layers and the tools. */
    ~Layer() override;

    //==============================================================================
    // Identity

    /** A freshly constructed layer of the same concrete class (constructor settings). */
    virtual Layer* createInstance() = 0;
    /** The name that saved stacks store for this class: the platform type name with its
        length prefix removed ("StaticImageLayer"); override where that does not hold. */
    virtual juce::String getClassName() const;
    /** "Layer". */
    virtual juce::String getShortName() const { return "Layer"; }
    /** getShortName(); also the layer type's preset folder name. */
    virtual juce::String getDisplayName() const { return getShortName(); }
    /** The user-given name, or getShortName() when that is empty. */
    juce::String getLayerName() const;
    const juce::String& getName() const noexcept { return name; }
    void setName (const juce::String& newName) { name = newName; }

    float getOpacity() const noexcept { return opacity; }
    void setOpacity (float newOpacity) noexcept { opacity = newOpacity; }
    int getCompositeMode() const noexcept { return compositeMode; }
    void setCompositeMode (int newMode) noexcept { compositeMode = newMode; }

    //==============================================================================
    // Settings

    /** Writes the base keys; effects call this first and append their own. */
    virtual void saveToPropertySet (SxPropertySet& set, const LayerSaveOptions& options);
    /** Reads the base keys (missing keys take the defaults), drops auxImage and marks the layer. */
    virtual void loadFromPropertySet (const SxPropertySet& set, const LayerSaveOptions& options);
    /** Takes over source's settings through a saved set, plus copies of its sub-layers
        (appended after any this layer already has); callback and manager come along. */
    virtual void copyFrom (Layer& source);
    /** Resets the settings (nothing in the base). */
    virtual void resetToDefaults() {}
    /** Randomises the settings (nothing in the base). */
    virtual void randomizeSettings() {}
    /** Reads a text preset; the base only marks the layer. */
    virtual void applyTextPreset (const juce::String& textPreset);
    /** Writes the embedded factory presets (nothing in the base). */
    virtual void installFactoryPresets() {}
    /** True when this layer type's effect-preset folder (named by getDisplayName) exists
        and holds at least two files. */
    bool hasEffectPresets() const;
    /** Writes one embedded preset file into the effect-preset folder named folderName, or
        by getDisplayName() when folderName is empty, replacing a file of that name and
        leaving every other file alone. False when it could not be written. */
    bool installPresetFile (const juce::String& fileName, const void* data, size_t size, const juce::String& folderName);

    //==============================================================================
    // Rendering

    /** Produces the output for params; the base makes sure outputImage fits params.image. */
    virtual void render (RenderParameters& params);
    /** The cached output when it is current and of the input's size; otherwise renders
        first. The image stays owned by the layer (the stack may take it over). */
    virtual SxImageRgbaBytes* getRenderedImage (RenderParameters& params);
    /** Keeps outputImage when it has params.image's size (pixels not cleared), otherwise
        replaces it with a cleared one of that size. */
    void prepareOutputImage (const RenderParameters& params);
    /** As prepareOutputImage, for auxImage. */
    void prepareAuxImage (const RenderParameters& params);
    /** Drops the cached output; the next render makes a new one. */
    void releaseOutputImage();
    /** Gives the output image to the caller, who then holds its reference. */
    SxImageRgbaBytes* takeOutputImage() { return outputImage.detach(); }
    SxImageRgbaBytes* getOutputImage() const noexcept { return outputImage.get(); }
    SxImageRgbaBytes* getAuxImage() const noexcept { return auxImage.get(); }
    /** Drops auxImage and the cached output. */
    virtual void dropCachedImages();
    /** The document got a new source image: drops auxImage and the cached output. */
    virtual void onSourceImageReplaced (SxImageRgbaBytes* workingImage, bool flag);
    /** Maps size-dependent settings to the size of the new image (nothing in the base). */
    virtual void rescaleToNewImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second);
    /** Maps size-dependent settings back to the previous image (nothing in the base). */
    virtual void rescaleToPreviousImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second);
    /** After a control change: marks this layer and those above through the manager and
        asks for a render of area (null = the whole image). */
    virtual void parametersChanged (const RectBounds* area);
    /** False: a hidden layer is skipped by the stack render. */
    virtual bool rendersWhenHidden() const { return false; }
    /** The copy of the record of the latest stack render. */
    RenderParameters* getRenderParameters() noexcept { return &renderParameters; }
    void setRenderParameters (const RenderParameters& params) noexcept { renderParameters = params; }
    /** Asks the host to render area synchronously. */
    void renderRegionNow (const RectBounds& area, bool flag);
    /** Asks the host to render the whole output (or working image) synchronously. */
    void renderAllNow (bool flag);

    //==============================================================================
    // State

    bool needsRender() const noexcept { return renderNeeded; }
    /** Marks this layer and every sub-layer. */
    void setNeedsRender (bool shouldRender);
    bool isVisible() const noexcept { return visible; }
    void setVisible (bool shouldBeVisible) noexcept { visible = shouldBeVisible; }
    bool isSelected() const noexcept { return selected; }
    void setSelected (bool shouldBeSelected) noexcept { selected = shouldBeSelected; }
    /** True for every layer type: a change below makes this layer stale. */
    bool isInvalidatedByLayersBelow() const noexcept { return invalidatedByLayersBelow; }
    /** False (no layer type is pinned to the bottom). */
    virtual bool isBottomPinned() const { return false; }
    virtual bool usesCompositeModeItem() const { return false; }
    virtual bool hasOpacityControl() const { return false; }
    virtual bool hasSourceImageControl() const { return false; }

    LayerCallback* getCallback() const noexcept { return callback; }
    void setCallback (LayerCallback* newCallback) noexcept { callback = newCallback; }
    LayerManager* getManager() const noexcept { return manager; }
    void setManager (LayerManager* newManager) noexcept { manager = newManager; }
    /** Asks the host for an undo snapshot. */
    void recordUndoState();

    //==============================================================================
    // Sub-layers (owned)

    /** Appends; the layer takes ownership. */
    void addSubLayer (Layer* layer);
    /** Inserts before position index + 1 (clamped to the list); takes ownership. */
    void insertSubLayer (Layer* layer, int index);
    /** Removes the first occurrence and gives ownership back to the caller. */
    void removeSubLayer (Layer* layer);
    std::vector<Layer*> getSubLayers() const;
    Layer* getParent() const noexcept { return parent; }
    void setParent (Layer* newParent) noexcept { parent = newParent; }
    bool areSubLayersExpanded() const noexcept { return subLayersExpanded; }

    //==============================================================================
    // Tools, controls and keys (message thread)

    /** Takes ownership; with makeActive the first tool of the list becomes active. */
    void addTool (std::shared_ptr<SxTool> tool, bool makeActive);
    /** Removes the first occurrence; the first remaining tool (or none) becomes active. */
    void removeTool (SxTool* tool);
    /** Releases every tool, first making sure the host's current tool is none of them. */
    virtual void removeTools();
    SxTool* getActiveTool() const noexcept override { return activeTool; }
    bool hasTools() const noexcept { return ! tools.empty(); }
    /** The tools in their order. */
    std::vector<SxTool*> getTools() const override;
    /** True: the layer lets the host activate any tool. */
    virtual bool acceptsTool (SxTool*) { return true; }
    /** Makes tool the active tool, asking the host to select it unless it is its current one. */
    virtual void setActiveTool (SxTool* tool);

    /** Makes the control pages afresh: the pages the layer had go first (destroyControls),
        the tools leave the list (removeTools), then createControlTabs. Effects fill the
        first page after calling this. */
    virtual void buildControls();
    /** Every page shows its controls' bound values again, telling nobody. */
    virtual void refreshControls();
    /** Deletes every control-tab page with its children and empties the list. A thumbnail
        panel or colour call-out a page has open is closed first, with its reports cut, so
        nothing of the old page is left pointing at the layer or the canvas. */
    virtual void destroyControls();
    /** Creates the control-tab pages: max (getControlTabCount(), 1) pages named "0", "1",
        ..., each 256 x 1000 and showing its scroll bar when tabComponentOption() says so;
        only the first is visible. Appended to the pages the layer has. */
    virtual void createControlTabs();
    /** The control-tab pages (owned by the layer). */
    std::vector<SxMainTabComponent*> getControlTabs() const override { return controlTabs; }
    /** Number of control-tab pages; 0 (as 1) gives the single default page. */
    virtual int getControlTabCount() const { return 0; }
    /** Second construction argument of every control-tab page. */
    virtual bool tabComponentOption() const { return false; }
    /** Index of the page shown until the user picks one. */
    virtual int getInitialControlTab() const { return 0; }
    /** The page the user last picked with a tab, or getInitialControlTab() until then. */
    int getSelectedControlTab() const override;
    /** Remembers the page the user picked (-1: none picked). */
    void setSelectedControlTab (int index) override { selectedControlTab = index; }

    /** A control of the layer changed (the effects react). */
    void controlChanged (juce::Component*) override {}
    /** A thumbnail list of the layer reported a choice. */
    void imageListItemChosen (GenericImageList*, int) override {}
    void buttonClicked (juce::Button* button) override { controlChanged (button); }
    void sliderValueChanged (juce::Slider* slider) override { controlChanged (slider); }
    /** Stops the timer. */
    void timerCallback (int timerId) override { stopTimer (timerId); }

    /** False: the layer does not use the key. */
    virtual bool keyPressed (const juce::KeyPress&) { return false; }
    virtual bool keyStateChanged (bool) { return false; }
    virtual void penGesture() {}

protected:
    juce::String name;
    float opacity = 1.0f;
    int compositeMode = 0;

    SxRef<SxImageRgbaBytes> outputImage;
    SxRef<SxImageRgbaBytes> auxImage;
    LayerCallback* callback = nullptr;
    LayerManager* manager = nullptr;
    RenderParameters renderParameters;

    bool selected = false;
    bool visible = true;
    // Marked on the message thread while a render thread may be clearing it.
    std::atomic<bool> renderNeeded { true };
    bool invalidatedByLayersBelow = true;
    bool subLayersExpanded = true;

    std::vector<std::unique_ptr<Layer>> subLayers;
    Layer* parent = nullptr;

    // Tools arrive with their deleter, so this folder needs no tool type.
    std::vector<std::shared_ptr<SxTool>> tools;
    SxTool* activeTool = nullptr;
    std::vector<SxMainTabComponent*> controlTabs;
    /** The page picked last with a tab; -1 until the user picks one. */
    int selectedControlTab = -1;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Layer)
};
