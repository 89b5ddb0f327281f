#pragma once

#include "BrushRenderLock.h"
#include "GPUImageOpenGLESContext.h"

/** Holds brushRenderLock and the shared off-screen context made current on this thread for
    as long as it lives: the one place where GPU work takes and releases the context.

    Nesting is allowed (the lock is recursive and the context counts its uses); the
    outermost guard of a thread lets the context go. Whether the context could be made
    current is asked with isCurrent: without it GL calls do nothing.
*/
class SharedContextUse
{
public:
    SharedContextUse() : lock (brushRenderLock)
    {
        GPUImageOpenGLESContext::useSharedContext();
    }

    ~SharedContextUse()
    {
        GPUImageOpenGLESContext::releaseSharedContext();
    }

    /** True when the shared context is current on this thread. */
    bool isCurrent() const
    {
        return GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread();
    }

private:
    const juce::ScopedLock lock;

    JUCE_DECLARE_NON_COPYABLE (SharedContextUse)
};
