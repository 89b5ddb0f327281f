#include "OffscreenGLContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace
{
    bool hasExtension (const char* extensions, const char* name)
    {
        return extensions != nullptr && juce::StringArray::fromTokens (extensions, " ", "").contains (name);
    }

    /** The surfaceless platform needs no display server; the default display is the fallback
        for EGL builds without it, as long as they can make a context current without a surface. */
    EGLDisplay openDisplay()
    {
        if (hasExtension (eglQueryString (EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless"))
        {
            auto display = eglGetPlatformDisplay (EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);

            if (display != EGL_NO_DISPLAY && eglInitialize (display, nullptr, nullptr))
                return display;
        }

        auto display = eglGetDisplay (EGL_DEFAULT_DISPLAY);

        if (display != EGL_NO_DISPLAY && eglInitialize (display, nullptr, nullptr)
             && hasExtension (eglQueryString (display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context"))
            return display;

        return EGL_NO_DISPLAY;
    }

    EGLConfig chooseConfig (EGLDisplay display)
    {
        const EGLint attributes[] = { EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                      EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                      EGL_DEPTH_SIZE, 24, EGL_STENCIL_SIZE, 8,
                                      EGL_NONE };
        EGLConfig config = nullptr;
        EGLint count = 0;

        if (eglChooseConfig (display, attributes, &config, 1, &count) && count > 0)
            return config;

        // The config only describes a default framebuffer, which a surfaceless context never has.
        return EGL_NO_CONFIG_KHR;
    }
}

OffscreenGLContext::OffscreenGLContext()
{
    auto eglDisplay = openDisplay();

    if (eglDisplay == EGL_NO_DISPLAY)
    {
        creationError = "no EGL display that supports surfaceless contexts";
        return;
    }

    if (! eglBindAPI (EGL_OPENGL_API))
    {
        creationError = "EGL offers no desktop OpenGL";
        return;
    }

    auto config = chooseConfig (eglDisplay);
    const EGLint compatibility[] = { EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                     EGL_NONE };
    auto eglContext = eglCreateContext (eglDisplay, config, EGL_NO_CONTEXT, compatibility);

    if (eglContext == EGL_NO_CONTEXT)
        eglContext = eglCreateContext (eglDisplay, config, EGL_NO_CONTEXT, nullptr);

    if (eglContext == EGL_NO_CONTEXT)
    {
        creationError = "eglCreateContext failed, error 0x" + juce::String::toHexString ((int) eglGetError());
        return;
    }

    display = eglDisplay;
    context = eglContext;
}

OffscreenGLContext::~OffscreenGLContext()
{
    if (context == nullptr)
        return;

    releaseCurrent();
    // The display is shared with every other context of the process, so it is never terminated.
    eglDestroyContext (display, context);
}

bool OffscreenGLContext::makeCurrent()
{
    if (context == nullptr)
        return false;

    // The current context is kept per client API, so each thread selects desktop GL first.
    eglBindAPI (EGL_OPENGL_API);
    return eglMakeCurrent (display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE;
}

void OffscreenGLContext::releaseCurrent()
{
    if (isCurrentOnThisThread())
        eglMakeCurrent (display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool OffscreenGLContext::isCurrentOnThisThread() const
{
    if (context == nullptr)
        return false;

    eglBindAPI (EGL_OPENGL_API);
    return eglGetCurrentContext() == context;
}
