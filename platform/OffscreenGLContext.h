#pragma once

#include <juce_core/juce_core.h>

/** A desktop OpenGL context with no window, for rendering into framebuffer objects.

    Built on EGL's surfaceless platform (Mesa), so it needs no X or Wayland display and
    works in headless test runs: Mesa falls back to its software rasteriser when there is no
    GPU. The context asks for the compatibility profile, whose GLSL still accepts
    `attribute`, `varying` and `gl_FragColor`; its config has 8-bit RGBA, a 24-bit depth
    and an 8-bit stencil buffer, but it is never bound to a surface, so every draw goes to a
    framebuffer object.

    Under EGL a context may be current on one thread at a time: a thread must call
    releaseCurrent before another thread's makeCurrent can succeed.
*/
class OffscreenGLContext
{
public:
    /** Creates the context; check isValid, creation may fail where EGL is missing. */
    OffscreenGLContext();

    /** Releases the context from the calling thread if it is current there, then destroys it. */
    ~OffscreenGLContext();

    /** True when the context was created. */
    bool isValid() const noexcept { return context != nullptr; }

    /** Makes the context current on the calling thread with no surface bound.
        Returns false when the context is invalid or still current on another thread.
    */
    bool makeCurrent();

    /** Detaches the context from the calling thread if it is current there. */
    void releaseCurrent();

    /** True when this context is the calling thread's current context. */
    bool isCurrentOnThisThread() const;

    /** Why creation failed (empty when valid). */
    const juce::String& getCreationError() const noexcept { return creationError; }

private:
    // EGLDisplay and EGLContext, kept opaque so EGL's headers stay out of this one.
    void* display = nullptr;
    void* context = nullptr;
    juce::String creationError;

    // No leak detector: the shared context owns one for the life of the process.
    JUCE_DECLARE_NON_COPYABLE (OffscreenGLContext)
};
