#include "StylizedWatercolor.h"

#include "WatercolorFactoryPresets.h"

namespace
{
    const char* const maskKey = "SelectiveMaskData";

    SxPoint sizeOf (const SxImageRgbaBytes& image)
    {
        SxPoint size;
        size.x = (float) image.width;
        size.y = (float) image.height;
        return size;
    }
}

StylizedWatercolor::StylizedWatercolor()
{
    resetToDefaults();
}

StylizedWatercolor::~StylizedWatercolor()
{
    destroyControls();
    caches.releaseAll();
}

Layer* StylizedWatercolor::createInstance()
{
    return new StylizedWatercolor();
}

bool StylizedWatercolor::hasTracedOutlines() const
{
    return maskData.hasOutlines();
}

//==============================================================================
void StylizedWatercolor::resetToDefaults()
{
    caches.paperImage.reset();
    caches.borderImage.reset();
    settings.resetToDefaults();
    randomizeSettings();
}

void StylizedWatercolor::randomizeSettings()
{
    caches.releaseAll();
    settings.randomize (hasTracedOutlines());
    refreshControls();
}

void StylizedWatercolor::saveToPropertySet (SxPropertySet& set, const LayerSaveOptions& options)
{
    Layer::saveToPropertySet (set, options);
    settings.saveToPropertySet (set);
    maskData.saveToPropertySet (set, maskKey);
}

void StylizedWatercolor::loadFromPropertySet (const SxPropertySet& set, const LayerSaveOptions& options)
{
    const auto before = settings;
    caches.paperImage.reset();
    caches.borderImage.reset();
    settings.loadFromPropertySet (set);

    // The costliest stage reads only these (and the input, which a load leaves alone): an
    // undo of any other setting keeps it.
    if (settings.mOutline != before.mOutline || settings.mOutlineDetail != before.mOutlineDetail
        || settings.mOutlineThreshold != before.mOutlineThreshold || settings.borderFileName != before.borderFileName)
        caches.inkOutlineMask.reset();
    if (settings.mVariation != before.mVariation || settings.saturation != before.saturation
        || settings.hueShift != before.hueShift)
        caches.dabLayer.reset();

    maskData.loadFromPropertySet (set, maskKey);
    refreshControls();
    Layer::loadFromPropertySet (set, options);
}

void StylizedWatercolor::applyTextPreset (const juce::String& textPreset)
{
    auto lines = juce::StringArray::fromLines (textPreset);
    // A file that ends with a line break has no empty line after it; counting one would
    // read it as a saturation of 0 or an empty border.
    if (textPreset.endsWithChar ('\n') || textPreset.endsWithChar ('\r'))
        if (! lines.isEmpty() && lines[lines.size() - 1].isEmpty())
            lines.remove (lines.size() - 1);

    caches.paperImage.reset();
    caches.borderImage.reset();
    const float previousVariation = settings.mVariation;
    settings.applyTextPreset (lines);

    caches.inkOutlineMask.reset();
    if (settings.mVariation != previousVariation)
        caches.dabLayer.reset();
    refreshControls();
    Layer::applyTextPreset (textPreset);
}

void StylizedWatercolor::installFactoryPresets()
{
    for (const auto& file : WatercolorFactoryPresets::getInstallFiles (getShortName()))
        installPresetFile (file.fileName, file.contents.getData(), file.contents.getSize(), {});
}

//==============================================================================
void StylizedWatercolor::dropCachedImages()
{
    Layer::dropCachedImages();
    caches.releaseAll();
    dabPainter.release();
}

void StylizedWatercolor::onSourceImageReplaced (SxImageRgbaBytes*, bool)
{
    dropCachedImages();
    maskData.clear();
}

void StylizedWatercolor::rescaleToNewImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second)
{
    dropCachedImages();
    if (first != nullptr && second != nullptr)
    {
        // Mapping there and back in floats would move the mask a little on every save.
        maskBeforeRescale = maskData;
        maskData.rescale (sizeOf (*second), sizeOf (*first));
    }
}

void StylizedWatercolor::rescaleToPreviousImage (SxImageRgbaBytes* first, SxImageRgbaBytes* second)
{
    dropCachedImages();
    if (maskBeforeRescale)
        maskData = *std::exchange (maskBeforeRescale, std::nullopt);
    else if (first != nullptr && second != nullptr)
        maskData.rescale (sizeOf (*first), sizeOf (*second));
}

//==============================================================================
void StylizedWatercolor::openSelectiveMaskWizard()
{
    if (callback != nullptr)
        callback->selectTool (nullptr);
}

void StylizedWatercolor::controlChanged (juce::Component* component)
{
    const auto name = component != nullptr ? component->getName() : juce::String();

    if (name == "selectiveMaskButton")
    {
        openSelectiveMaskWizard();
        return;
    }

    if (name == "outlineSlider" || name == "outlineDetailSlider" || name == "outlineThresholdSlider")
        caches.inkOutlineMask.reset();
    if (name == "variationSlider" || name == "hueShiftSlider" || name == "paintSizeSlider" || name == "edgeSizeSlider")
        caches.dabLayer.reset();

    if (name == "insideColorSegmentControl" && settings.mInsideColor == WatercolorSettings::mask && ! hasTracedOutlines())
    {
        // Nothing to paint through yet: the render waits until a mask is applied.
        openSelectiveMaskWizard();
        refreshControls();
        recordUndoState();
        return;
    }

    refreshControls();
    recordUndoState();
    parametersChanged (nullptr);
}

void StylizedWatercolor::paperChosen (int index)
{
    const auto chosen = WatercolorSettings::archiveItemName ("Tolva_Backgrounds", index);
    if (chosen.isEmpty())
        return;
    caches.paperImage.reset();
    settings.edgeFileName = chosen;
    caches.inkOutlineMask.reset();
    recordUndoState();
    parametersChanged (nullptr);
}

void StylizedWatercolor::borderChosen (int index)
{
    const auto chosen = WatercolorSettings::archiveItemName ("Tolva_Borders", index);
    if (chosen.isEmpty())
        return;
    caches.borderImage.reset();
    settings.borderFileName = chosen;
    caches.inkOutlineMask.reset();
    recordUndoState();
    parametersChanged (nullptr);
}

void StylizedWatercolor::maskApplied (const SelectMaskData& data)
{
    if (callback != nullptr)
        callback->selectTool (nullptr);
    if (&data != &maskData)
        maskData = data;
    // A change of its own: without this snapshot, an undo then a redo would lose the mask.
    recordUndoState();
    parametersChanged (nullptr);
}

void StylizedWatercolor::maskCancelled()
{
    if (callback != nullptr)
        callback->selectTool (nullptr);
}
