#pragma once

#include "RectBounds.h"
#include "RenderPreviewCompleteMessage.h"

#include <juce_core/juce_core.h>

class GenericAppComponent;

/** The worker of one preview render ("Rendering..."): renders the owner's layer stack over
    area, keeps nothing of the result (the layers cache it) and posts its completion message
    to the message thread as its last step.

    While it runs it is the only thread that touches the stack: the owner's busy overlay is
    modal, and requests and region renders check for it. The owner makes it on the message
    thread and deletes it there, when the completion arrives or when the owner goes.
*/
class RenderThread : public juce::Thread
{
public:
    RenderThread (GenericAppComponent& owner, const RectBounds& area);
    /** Waits for run to end. */
    ~RenderThread() override;

    void run() override;

    const RectBounds& getArea() const noexcept  { return area; }

private:
    GenericAppComponent& owner;
    const RectBounds area;
    juce::ReferenceCountedObjectPtr<RenderPreviewCompleteMessage> completion;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenderThread)
};
