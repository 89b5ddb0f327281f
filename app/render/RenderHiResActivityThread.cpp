#include "RenderHiResActivityThread.h"

#include "LayerManager.h"
#include "StaticImageLayer.h"

RenderHiResActivityThread::RenderHiResActivityThread (const juce::String& message, int stopTimeoutMs)
    : ThreadedActivityWindow (message, stopTimeoutMs)
{
}

RenderHiResActivityThread::~RenderHiResActivityThread()
{
    // The worker writes the fields below: it ends before they go.
    while (isThreadRunning())
        waitForThreadToExit (1000);
}

void RenderHiResActivityThread::run()
{
    if (layerManager == nullptr)
        return;

    fullSizeResult = SxRef<SxImageRgbaBytes> (layerManager->renderStack (nullptr, false, true));

    layerManager->rescaleAllToPreviousImage (workingImage, fullSizeImage);
    layersMappedBack = true;

    if (reRenderPreview && baseLayer != nullptr)
    {
        layerManager->setFullResolutionRender (false);
        baseLayer->setSourceImage (workingImage);
        previewResult = layerManager->renderStack (nullptr, false, false);
    }
}
