#include "RenderPreviewCompleteMessage.h"

#include "GenericAppComponent.h"

RenderPreviewCompleteMessage::RenderPreviewCompleteMessage (GenericAppComponent& o, RenderThread* finishedThread)
    : owner (&o), thread (finishedThread)
{
}

void RenderPreviewCompleteMessage::messageCallback()
{
    if (auto* main = owner.getComponent())
        main->previewRenderThreadFinished (thread);
}
