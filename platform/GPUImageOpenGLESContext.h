#pragma once

#include "OffscreenGLContext.h"

#include <atomic>
#include <memory>
#include <mutex>

/** The one off-screen OpenGL context that all GPU work of the application shares.

    The instance is created on first use and lives until the process ends, so textures,
    programs and framebuffers made on it stay valid. Any thread may use it, one at a time:
    the context has no lock of its own and its users serialise their passes.

    Every useSharedContext is paired with a releaseSharedContext on the same thread. A thread's
    outermost release detaches the context from that thread, because a context can be current
    on only one thread at a time and the next pass may run on another one.
*/
class GPUImageOpenGLESContext
{
public:
    virtual ~GPUImageOpenGLESContext();

    /** The process-wide instance, created (without a context yet) when missing. */
    static GPUImageOpenGLESContext& getSharedInstance();

    /** Creates the instance and its context when missing, makes the context current on the
        calling thread and raises the use count. Never throws; when the context cannot be
        created or is still held by another thread the reason goes once to the error stream
        and GL calls that follow do nothing.
    */
    static void useSharedContext();

    /** Lowers the use count; the calling thread's outermost release detaches the context
        from it.
    */
    static void releaseSharedContext();

    /** Reads GL_MAX_TEXTURE_SIZE on the shared context (creating it), stores it for
        getMaxTextureSize and returns it; 0 when no context could be made.
    */
    static int queryMaxTextureSize();

    /** The value stored by the last queryMaxTextureSize; 0 before. */
    static int getMaxTextureSize() noexcept;

    /** Uses not yet released, over all threads. */
    int getUseCount() const noexcept { return useCount.load(); }

    /** True when the shared context exists and is current on the calling thread. */
    bool isCurrentOnThisThread() const;

private:
    GPUImageOpenGLESContext() = default;

    /** The context, created when missing; nullptr when it cannot be made. */
    OffscreenGLContext* ensureContext();

    std::unique_ptr<OffscreenGLContext> ownedContext;
    std::atomic<OffscreenGLContext*> context { nullptr };   // set once, read without the lock
    std::mutex creationLock;
    std::atomic<int> useCount { 0 };

    // No leak detector: the one instance is never destroyed, by design.
    JUCE_DECLARE_NON_COPYABLE (GPUImageOpenGLESContext)
};
