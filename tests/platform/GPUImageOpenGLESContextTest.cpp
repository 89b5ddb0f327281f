#include <gtest/gtest.h>

#include "GPUImageOpenGLESContext.h"
#include "OpenGLHeaders.h"

#include <array>
#include <thread>
#include <vector>

namespace
{
    constexpr int width = 8, height = 4;

    struct Rgba { uint8_t r, g, b, a; };

    /** Clears an 8x4 framebuffer object to the background, fills its left half with the
        fill colour through the fixed-function pipeline, and reads it back (R, G, B, A).
        Returns an empty vector when the framebuffer is incomplete.
    */
    std::vector<uint8_t> drawIntoFramebuffer (Rgba background, Rgba fill)
    {
        GLuint texture = 0, framebuffer = 0;
        glGenTextures (1, &texture);
        glBindTexture (GL_TEXTURE_2D, texture);
        glTexImage2D (GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers (1, &framebuffer);
        glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D (GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);

        std::vector<uint8_t> pixels;

        if (glCheckFramebufferStatus (GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
        {
            glViewport (0, 0, width, height);
            glClearColor (background.r / 255.0f, background.g / 255.0f, background.b / 255.0f, background.a / 255.0f);
            glClear (GL_COLOR_BUFFER_BIT);

            glUseProgram (0);
            glMatrixMode (GL_PROJECTION);
            glLoadIdentity();
            glMatrixMode (GL_MODELVIEW);
            glLoadIdentity();
            glColor4ub (fill.r, fill.g, fill.b, fill.a);
            glBegin (GL_TRIANGLE_STRIP);
            glVertex2f (-1.0f, -1.0f);
            glVertex2f (0.0f, -1.0f);
            glVertex2f (-1.0f, 1.0f);
            glVertex2f (0.0f, 1.0f);
            glEnd();

            pixels.resize ((size_t) (width * height * 4));
            glPixelStorei (GL_PACK_ALIGNMENT, 1);
            glReadPixels (0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        }

        glBindFramebuffer (GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers (1, &framebuffer);
        glDeleteTextures (1, &texture);
        return pixels;
    }

    /** One pass as a render thread makes it; records what it saw for the test thread. */
    struct PassResult
    {
        bool currentDuringPass = false;
        bool currentAfterRelease = true;
        std::vector<uint8_t> pixels;
    };

    PassResult runPass (Rgba background, Rgba fill)
    {
        PassResult result;
        GPUImageOpenGLESContext::useSharedContext();
        result.currentDuringPass = GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread();
        result.pixels = drawIntoFramebuffer (background, fill);
        GPUImageOpenGLESContext::releaseSharedContext();
        result.currentAfterRelease = GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread();
        return result;
    }

    void expectHalves (const std::vector<uint8_t>& pixels, Rgba background, Rgba fill)
    {
        ASSERT_EQ (pixels.size(), (size_t) (width * height * 4)) << "framebuffer incomplete";

        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const auto expected = x < width / 2 ? fill : background;
                const auto* p = pixels.data() + (y * width + x) * 4;
                EXPECT_EQ ((std::array<int, 4> { p[0], p[1], p[2], p[3] }),
                           (std::array<int, 4> { expected.r, expected.g, expected.b, expected.a }))
                    << "pixel " << x << "," << y;
            }
    }
}

TEST (GPUImageOpenGLESContext, LargestTextureSizeIsReadAndStored)
{
    const int before = GPUImageOpenGLESContext::getSharedInstance().getUseCount();
    const int size = GPUImageOpenGLESContext::queryMaxTextureSize();

    EXPECT_GT (size, 0);
    EXPECT_EQ (GPUImageOpenGLESContext::getMaxTextureSize(), size);
    EXPECT_EQ (GPUImageOpenGLESContext::getSharedInstance().getUseCount(), before);
    EXPECT_FALSE (GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread());
}

TEST (GPUImageOpenGLESContext, ThreadsTakeTurnsDrawingIntoFramebuffers)
{
    struct Case { Rgba background, fill; bool onWorker; };
    const Case cases[] = {
        { { 0, 0, 0, 255 },      { 255, 0, 0, 255 },   true },
        { { 0, 0, 255, 255 },    { 0, 255, 0, 255 },   true },
        { { 10, 20, 30, 40 },    { 200, 100, 50, 128 }, false },   // the test thread in between
        { { 255, 255, 255, 255 }, { 0, 0, 0, 0 },      true },
    };

    const int before = GPUImageOpenGLESContext::getSharedInstance().getUseCount();

    for (const auto& c : cases)
    {
        PassResult result;

        if (c.onWorker)
            std::thread ([&] { result = runPass (c.background, c.fill); }).join();
        else
            result = runPass (c.background, c.fill);

        EXPECT_TRUE (result.currentDuringPass);
        EXPECT_FALSE (result.currentAfterRelease);
        expectHalves (result.pixels, c.background, c.fill);
    }

    EXPECT_EQ (GPUImageOpenGLESContext::getSharedInstance().getUseCount(), before);
}

TEST (GPUImageOpenGLESContext, NestedUsesKeepTheContextUntilTheOutermostRelease)
{
    auto& shared = GPUImageOpenGLESContext::getSharedInstance();
    const int before = shared.getUseCount();

    GPUImageOpenGLESContext::useSharedContext();
    GPUImageOpenGLESContext::useSharedContext();
    EXPECT_EQ (shared.getUseCount(), before + 2);

    GPUImageOpenGLESContext::releaseSharedContext();
    EXPECT_TRUE (shared.isCurrentOnThisThread());
    expectHalves (drawIntoFramebuffer ({ 1, 2, 3, 4 }, { 5, 6, 7, 8 }), { 1, 2, 3, 4 }, { 5, 6, 7, 8 });

    GPUImageOpenGLESContext::releaseSharedContext();
    EXPECT_FALSE (shared.isCurrentOnThisThread());
    EXPECT_EQ (shared.getUseCount(), before);
}

TEST (GPUImageOpenGLESContext, UseWhileAnotherThreadHoldsItFailsQuietlyThenRecovers)
{
    auto& shared = GPUImageOpenGLESContext::getSharedInstance();
    GPUImageOpenGLESContext::useSharedContext();
    ASSERT_TRUE (shared.isCurrentOnThisThread());

    PassResult blocked;
    std::thread ([&] { blocked = runPass ({ 0, 0, 0, 255 }, { 255, 255, 255, 255 }); }).join();
    EXPECT_FALSE (blocked.currentDuringPass);
    EXPECT_TRUE (shared.isCurrentOnThisThread()) << "the holder keeps its context";

    GPUImageOpenGLESContext::releaseSharedContext();

    PassResult after;
    std::thread ([&] { after = runPass ({ 0, 0, 0, 255 }, { 255, 255, 255, 255 }); }).join();
    EXPECT_TRUE (after.currentDuringPass);
    expectHalves (after.pixels, { 0, 0, 0, 255 }, { 255, 255, 255, 255 });
}
