#pragma once

#include "SxImageRgbaBytes.h"
#include "ThreadedActivityWindow.h"

class LayerManager;
class StaticImageLayer;

/** The worker of a full-size render, behind the activity window: renders the stack at the
    size of the opened image (which the caller has put under the base layer, the layers
    mapped to its size), maps the layers back to the working image's size, and, with
    reRenderPreview, puts the working image back under the base layer and renders the
    preview again so that the canvas stays in step with the stack.

    Its results stay in its fields until the caller takes them after runModal; at every
    stage it records how far it got, so that a worker that never ran leaves the stack for
    the caller to put back.
*/
class RenderHiResActivityThread : public ThreadedActivityWindow
{
public:
    /** message: the overlay's first text; stopTimeoutMs: see ThreadedActivityWindow. */
    RenderHiResActivityThread (const juce::String& message, int stopTimeoutMs);
    ~RenderHiResActivityThread() override;

    /** Not owned. */
    LayerManager* layerManager = nullptr;
    /** The base layer and the two images it shows. */
    StaticImageLayer* baseLayer = nullptr;
    SxImageRgbaBytes* workingImage = nullptr;
    SxImageRgbaBytes* fullSizeImage = nullptr;
    bool reRenderPreview = true;

    void run() override;

    /** The stack at full size, the caller's to keep; empty when the stack rendered none. */
    SxRef<SxImageRgbaBytes> takeFullSizeResult() noexcept  { return std::move (fullSizeResult); }
    /** The preview rendered again (owned by the stack); null when none was rendered. */
    SxImageRgbaBytes* getPreviewResult() const noexcept   { return previewResult; }
    /** Whether the layers were mapped back to the working image's size. */
    bool mappedBack() const noexcept                       { return layersMappedBack; }

private:
    SxRef<SxImageRgbaBytes> fullSizeResult;
    SxImageRgbaBytes* previewResult = nullptr;
    bool layersMappedBack = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenderHiResActivityThread)
};
