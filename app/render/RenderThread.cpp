#include "RenderThread.h"

#include "GenericAppComponent.h"

RenderThread::RenderThread (GenericAppComponent& o, const RectBounds& renderArea)
    : juce::Thread ("Rendering..."),
      owner (o),
      area (renderArea),
      completion (new RenderPreviewCompleteMessage (o, this))
{
}

RenderThread::~RenderThread()
{
    stopThread (-1);
}

void RenderThread::run()
{
    if (auto* stack = owner.getLayerManager())
        stack->renderStack (&area, false, false);

    completion->post();
}
