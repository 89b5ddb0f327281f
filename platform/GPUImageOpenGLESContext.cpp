#include "GPUImageOpenGLESContext.h"

#include "OpenGLHeaders.h"

#include <iostream>

namespace
{
    std::atomic<int> storedMaxTextureSize { 0 };

    // Nesting depth of the calling thread's uses; the context leaves the thread at zero.
    thread_local int threadUseDepth = 0;

    std::atomic<bool> creationReported { false }, busyReported { false };

    void reportOnce (std::atomic<bool>& reported, const juce::String& message)
    {
        if (! reported.exchange (true))
            std::cerr << "Shared OpenGL context: " << message << std::endl;
    }
}

GPUImageOpenGLESContext::~GPUImageOpenGLESContext()
{
    if (auto* c = context.load())
        c->releaseCurrent();
}

GPUImageOpenGLESContext& GPUImageOpenGLESContext::getSharedInstance()
{
    // Deliberately leaked: GL objects made on the context must outlive every static destructor.
    static auto* instance = new GPUImageOpenGLESContext();
    return *instance;
}

OffscreenGLContext* GPUImageOpenGLESContext::ensureContext()
{
    if (auto* existing = context.load())
        return existing;

    const std::lock_guard<std::mutex> lock (creationLock);

    if (context.load() == nullptr)
    {
        auto created = std::make_unique<OffscreenGLContext>();

        if (! created->isValid())
        {
            reportOnce (creationReported, created->getCreationError());
            return nullptr;
        }

        ownedContext = std::move (created);
        context.store (ownedContext.get());
    }

    return context.load();
}

void GPUImageOpenGLESContext::useSharedContext()
{
    auto& shared = getSharedInstance();
    shared.useCount.fetch_add (1);
    ++threadUseDepth;

    auto* c = shared.ensureContext();

    if (c == nullptr || c->isCurrentOnThisThread())
        return;

    if (! c->makeCurrent())
        reportOnce (busyReported, "could not be made current; is another thread still using it?");
}

void GPUImageOpenGLESContext::releaseSharedContext()
{
    auto& shared = getSharedInstance();
    shared.useCount.fetch_sub (1);

    if (threadUseDepth > 0 && --threadUseDepth == 0)
    {
        if (auto* c = shared.context.load(); c != nullptr && c->isCurrentOnThisThread())
        {
            // Queued work must reach the objects before another thread takes the context over.
            glFlush();
            c->releaseCurrent();
        }
    }
}

int GPUImageOpenGLESContext::queryMaxTextureSize()
{
    useSharedContext();
    GLint size = 0;

    if (getSharedInstance().isCurrentOnThisThread())
        glGetIntegerv (GL_MAX_TEXTURE_SIZE, &size);

    releaseSharedContext();
    storedMaxTextureSize.store ((int) size);
    return (int) size;
}

int GPUImageOpenGLESContext::getMaxTextureSize() noexcept
{
    return storedMaxTextureSize.load();
}

bool GPUImageOpenGLESContext::isCurrentOnThisThread() const
{
    auto* c = context.load();
    return c != nullptr && c->isCurrentOnThisThread();
}
