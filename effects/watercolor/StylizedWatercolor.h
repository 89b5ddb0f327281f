#pragma once

#include "DabPainter.h"
#include "Layer.h"
#include "SelectMaskData.h"
#include "SxUIComponentCallback.h"
#include "WatercolorCaches.h"
#include "WatercolorControlTable.h"
#include "WatercolorSettings.h"

#include <optional>

class PaperChoiceUI;
class SxLabelImageList;

/** The watercolour effect layer: a paper or plain background, a field of brush dabs
    through a paint-area mask, an ink outline on top, mixed with its input.

    This file pair holds the layer's lifecycle: which cached images each change releases,
    how control changes travel to a render, presets and persistence. The values live in
    WatercolorSettings, the cached images in WatercolorCaches, the selective mask in
    SelectMaskData; the render steps have their own files, and so do the controls
    (controls/: the "Adjust" page, its tables and the background panel).

    Cache releases:
    | event                                  | ink outline | dabs          | paper | border |
    | reset, randomise                       | yes         | yes           | yes   | yes    |
    | outline sliders                        | yes         | -             | -     | -      |
    | variation, colour shift, size, fill    | -           | yes           | -     | -      |
    | thumbnail picked                       | yes         | -             | paper | border |
    | load                                   | yes         | if variation, saturation or hue shift changed | yes | yes |
    | text preset                            | yes         | if variation changed | yes | yes |
    | drop caches, rescale, new source image | yes         | yes           | yes   | yes    |

    A new layer starts with randomised settings (system-wide generator).
*/
class StylizedWatercolor : public Layer,
                           public SxUIComponentCallback
{
public:
    /** Resets, which randomises. */
    StylizedWatercolor();
    /** The controls go first, while the settings they are bound to still exist. */
    ~StylizedWatercolor() override;

    //==============================================================================
    /** A new StylizedWatercolor (with randomised settings). */
    Layer* createInstance() override;
    /** "Stylized". */
    juce::String getShortName() const override { return "Stylized"; }
    /** "Stylized Watercolor", also the name of its preset folder. */
    juce::String getDisplayName() const override { return "Stylized Watercolor"; }

    /** Releases paper and border, sets the reset values, then randomises. */
    void resetToDefaults() override;
    /** Releases every cache and draws new settings; Color Area is Mask only when the
        selective mask has traced outlines. */
    void randomizeSettings() override;

    /** The base keys, then the effect's keys, then the mask under "SelectiveMaskData". */
    void saveToPropertySet (SxPropertySet& set, const LayerSaveOptions& options) override;
    /** The effect's keys (missing ones take their load defaults), the mask (empty when
        its key is missing), then the base keys. */
    void loadFromPropertySet (const SxPropertySet& set, const LayerSaveOptions& options) override;
    /** Reads a text preset, one value per line; the layer then needs a render. A final
        line break does not count as an empty last line. */
    void applyTextPreset (const juce::String& textPreset) override;
    /** Writes the factory presets into the effect's preset folder: each thumbnail, then
        its ".pre" file (sixteen files). */
    void installFactoryPresets() override;

    /** Paints the input: background, brush dabs through the paint mask, ink outline, then
        the mix with the input by the overall strength. Holds brushRenderLock throughout;
        always leaves a valid output of the input's size. */
    void render (RenderParameters& params) override;

    /** The base caches, the effect's cached images and the dab layer's GPU objects. */
    void dropCachedImages() override;
    /** Drops the caches and empties the selective mask, which belonged to the old image. */
    void onSourceImageReplaced (SxImageRgbaBytes* workingImage, bool flag) override;
    /** Drops the caches and maps the mask from first's size to second's, keeping the
        mask as it was for rescaleToPreviousImage. */
    void rescaleToNewImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second) override;
    /** Drops the caches and gives the mask back exactly as it was before rescaleToNewImage;
        without such a call before, maps it from second's size back to first's. */
    void rescaleToPreviousImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second) override;

    //==============================================================================
    // Controls (controls/StylizedWatercolorControls.cpp)

    /** The "Adjust" page on the first control tab: every row bound to its setting and
        reporting to this layer; the rows of the Color Area shown at once, then every
        control shows its value. */
    void buildControls() override;
    /** Every control shows its bound value again, telling nobody (after a load, a preset,
        randomising, undo); the thumbnails show the current border and paper; a Color Area
        that changed shows its rows over 400 ms. */
    void refreshControls() override;
    /** The pages go (closing an open thumbnail panel or colour call-out first), and with
        them paperChoice and borderList. */
    void destroyControls() override;
    /** Shows and hides the Color Area's rows (the "Selective Mask" button, Wet Edges, Area
        Fill): at once when immediate, else animated in 400 ms; nothing when there are no
        controls or the rows already show (or are on their way to) that Color Area. */
    virtual void updateMaskHolderVisibility (bool immediate);
    /** Watercolour pages show their scroll bar. */
    bool tabComponentOption() const override { return true; }

    /** The border list's choice goes to borderChosen, the paper list's to paperChosen. */
    void imageListItemChosen (GenericImageList* list, int index) override;
    /** The background panel's paper list, as above. */
    void imageListItemChosen (juce::Component* list, int index) override;
    /** The background panel's controls: as controlChanged. */
    void controlClicked (juce::Component* control) override { controlChanged (control); }

    /** The background panel of the built controls; null without controls. */
    PaperChoiceUI* getPaperChoice() const noexcept;
    /** The border row of the built controls; null without controls. */
    SxLabelImageList* getBorderList() const noexcept;

    //==============================================================================
    /** A control changed, told apart by its component name: releases the caches that
        depend on it, shows the controls again, records an undo snapshot and asks for a
        render. "selectiveMaskButton", and choosing Color Area Mask with no traced outline,
        open the mask wizard instead of rendering. */
    void controlChanged (juce::Component* component) override;
    /** A paper thumbnail was picked: item index of "Tolva_Backgrounds" (an index with no
        item changes nothing). */
    void paperChosen (int index);
    /** A border thumbnail was picked: item index of "Tolva_Borders" (likewise). */
    void borderChosen (int index);

    /** The wizard applied its mask: the tool is deselected, the strokes and outlines are
        taken over, an undo snapshot is recorded and a render is requested. */
    void maskApplied (const SelectMaskData& data);
    /** The wizard was closed without applying: only the tool is deselected. */
    void maskCancelled();

    //==============================================================================
    WatercolorSettings& getSettings() noexcept { return settings; }
    const WatercolorSettings& getSettings() const noexcept { return settings; }
    const WatercolorCaches& getCaches() const noexcept { return caches; }
    const SelectMaskData& getMaskData() const noexcept { return maskData; }
    /** True when the selective mask holds traced outlines. */
    bool hasTracedOutlines() const;

protected:
    SelectMaskData maskData;
    /** The mask at the working size while the layer renders at full size. */
    std::optional<SelectMaskData> maskBeforeRescale;
    WatercolorSettings settings;
    WatercolorCaches caches;
    DabPainter dabPainter;   // the GPU objects of the dab layer, kept between renders of one size

    // Owned by the first control tab; null when no controls exist.
    juce::Component::SafePointer<PaperChoiceUI> paperChoice;
    juce::Component::SafePointer<SxLabelImageList> borderList;
    /** The Color Area rows shown (or on their way) since the page was built. */
    std::optional<WatercolorControlTable::RowVisibility> shownRows;

    /** Layer::buildControls, then the page of effect's rows (Abstract swaps one slider). */
    void buildControlPage (WatercolorControlTable::Effect effect);

    /** Deselects the host's tool; the wizard itself belongs to the layer panel. */
    virtual void openSelectiveMaskWizard();

    //==============================================================================
    // The steps both watercolour renders share; the caller holds brushRenderLock.

    /** The layer's output at the input's size, the paper and border loaded, the input
        copied into the output and the paint mask made from its brightness (or the
        selective mask). An empty reference when there is nothing to paint into. */
    SxRef<SxImageAlphaByte> startPainting (RenderParameters& params);
    /** A new dab layer of the input's size: the dab pattern of the settings multiplied
        onto white on the GPU, then shifted by hueShift (none at 0). */
    void drawDabLayer (const RenderParameters& params, float hueShift);
    /** The ink outline (computed when not cached) tinted into the output, then the mix
        with the input by the overall strength. */
    void finishPainting (RenderParameters& params);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StylizedWatercolor)
};
