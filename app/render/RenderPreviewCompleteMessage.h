#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class GenericAppComponent;
class RenderThread;

/** Posted by a RenderThread when its render has ended; on the message thread it hands the
    thread back to the main component that started it, which shows the result or renders
    once more. When that component has gone, or no longer runs this thread, nothing
    happens. Made on the message thread together with its thread. */
class RenderPreviewCompleteMessage : public juce::CallbackMessage
{
public:
    RenderPreviewCompleteMessage (GenericAppComponent& owner, RenderThread* finishedThread);

    void messageCallback() override;

private:
    juce::Component::SafePointer<GenericAppComponent> owner;
    RenderThread* const thread;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenderPreviewCompleteMessage)
};
