#include "BrushImagePasses.h"

#include "BrushShaders.h"
#include "GLErrors.h"
#include "GLProgram.h"
#include "OpenGLHeaders.h"

#include "ParallelRows.h"

#include <atomic>
#include <cstring>

namespace
{
    // Clip-space quad over the whole viewport; texture row 0 lands on framebuffer row 0.
    constexpr GLfloat quadPositions[] = { -1, -1,  1, -1,  -1, 1,  1, 1 };
    constexpr GLfloat quadCoordinates[] = { 0, 0,  1, 0,  0, 1,  1, 1 };
    constexpr GLint imageTextureUnit = 1;

    /** The process-wide image-pass program for the fragment text, built on first use.
        Never deleted: it lives on the shared context, which outlives every static destructor.
        nullptr when it failed to link. */
    GLProgram* imagePassProgram (GLProgram*& slot, bool& failed, const char* fragmentSource)
    {
        if (slot == nullptr && ! failed)
        {
            auto* program = new GLProgram (quadVertexSource, fragmentSource);
            program->addAttribute ("position");
            program->addAttribute ("inputTextureCoordinate");

            if (program->link())
                slot = program;
            else
            {
                delete program;
                failed = true;
            }
        }

        return slot;
    }

    GLProgram* premultiplyProgram()
    {
        static GLProgram* program = nullptr;
        static bool failed = false;
        return imagePassProgram (program, failed, premultiplyFragmentSource);
    }

    GLProgram* unpremultiplyProgram()
    {
        static GLProgram* program = nullptr;
        static bool failed = false;
        return imagePassProgram (program, failed, unpremultiplyFragmentSource);
    }

    GLuint makeImageTexture (int width, int height, const void* pixels)
    {
        GLuint texture = 0;
        glGenTextures (1, &texture);

        if (texture == 0)
            return 0;

        glBindTexture (GL_TEXTURE_2D, texture);
        glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei (GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D (GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        return texture;
    }

    bool isOneColour (const SxImageRgbaBytes& image)
    {
        const size_t rowBytes = (size_t) image.width * 4;
        const uint8_t* first = image.getRowPointer (0);
        for (size_t i = 4; i < rowBytes; i += 4)
            if (std::memcmp (first, first + i, 4) != 0)
                return false;
        for (int y = 1; y < image.height; ++y)
            if (std::memcmp (first, image.getRowPointer (y), rowBytes) != 0)
                return false;
        return true;
    }

    /** R, G, B, A bytes as read to A, R, G, B, when every alpha is 255; false (bytes left
        as they may be) when any is not. */
    bool reorderIfOpaque (SxImageRgbaBytes& image)
    {
        std::atomic<bool> opaque { true };
        const size_t count = (size_t) image.width;
        ParallelRows::forEachBand (0, image.height, image.width, [&] (int y0, int y1)
        {
            for (int y = y0; y < y1 && opaque.load (std::memory_order_relaxed); ++y)
            {
                uint8_t* p = image.getRowPointer (y);
                uint8_t andAlpha = 255;
                for (size_t x = 0; x < count; ++x)
                    andAlpha &= p[x * 4 + 3];
                if (andAlpha != 255)
                {
                    opaque = false;
                    return;
                }
                for (size_t x = 0; x < count; ++x, p += 4)
                {
                    const uint8_t r = p[0], g = p[1], b = p[2];
                    p[0] = 255; p[1] = r; p[2] = g; p[3] = b;
                }
            }
        });
        return opaque;
    }

    /** Draws the quad with the image-pass program, sampling the texture on unit 1. */
    void drawQuad (GLProgram& program, GLuint texture)
    {
        const auto position = (GLuint) program.attributeIndex ("position");
        const auto coordinate = (GLuint) program.attributeIndex ("inputTextureCoordinate");

        program.use();
        glDisable (GL_BLEND);
        glActiveTexture (GL_TEXTURE0 + imageTextureUnit);
        glBindTexture (GL_TEXTURE_2D, texture);
        glUniform1i (program.uniformIndex ("inputImageTexture"), imageTextureUnit);
        glEnableVertexAttribArray (position);
        glEnableVertexAttribArray (coordinate);
        glVertexAttribPointer (position, 2, GL_FLOAT, GL_FALSE, 0, quadPositions);
        glVertexAttribPointer (coordinate, 2, GL_FLOAT, GL_FALSE, 0, quadCoordinates);
        glDrawArrays (GL_TRIANGLE_STRIP, 0, 4);
        glDisableVertexAttribArray (position);
        glDisableVertexAttribArray (coordinate);
        glBindTexture (GL_TEXTURE_2D, 0);
        checkGLError();
    }
}

namespace BrushImagePasses
{
    bool createRenderTarget (uint32_t& framebuffer, uint32_t& texture, int width, int height)
    {
        framebuffer = texture = 0;

        if (width < 1 || height < 1)
            return false;

        GLuint names[2] = {};
        glGenFramebuffers (1, &names[0]);
        glBindFramebuffer (GL_FRAMEBUFFER, names[0]);
        checkGLError();

        if (names[0] != 0)
        {
            glActiveTexture (GL_TEXTURE0);
            names[1] = makeImageTexture (width, height, nullptr);
            checkGLError();
        }

        if (names[1] != 0)
            glFramebufferTexture2D (GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, names[1], 0);

        glBindTexture (GL_TEXTURE_2D, 0);

        // A texture the driver could not allocate leaves the attachment empty, which shows here.
        if (names[1] == 0 || glCheckFramebufferStatus (GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        {
            glBindFramebuffer (GL_FRAMEBUFFER, 0);

            if (names[1] != 0) glDeleteTextures (1, &names[1]);
            if (names[0] != 0) glDeleteFramebuffers (1, &names[0]);

            checkGLError();
            return false;
        }

        checkGLError();
        framebuffer = names[0];
        texture = names[1];
        return true;
    }

    bool drawImagePremultiplied (uint32_t framebuffer, const SxImageRgbaBytes& image)
    {
        if (image.pixels == nullptr || image.width < 1 || image.height < 1)
            return false;

        // An opaque canvas of one colour (the white dab layer) premultiplies to itself: a
        // clear gives the same bytes without uploading and drawing the whole image.
        if (image.pixels[0] == 255 && isOneColour (image))
        {
            glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
            glClearColor (0, 0, 0, 0);
            glClear (GL_COLOR_BUFFER_BIT);
            glEnable (GL_SCISSOR_TEST);   // a canvas smaller than the target leaves the rest clear
            glScissor (0, 0, image.width, image.height);
            glClearColor (image.pixels[1] / 255.0f, image.pixels[2] / 255.0f, image.pixels[3] / 255.0f, 1.0f);
            glClear (GL_COLOR_BUFFER_BIT);
            glDisable (GL_SCISSOR_TEST);
            glViewport (0, 0, image.width, image.height);
            checkGLError();
            return true;
        }

        auto* program = premultiplyProgram();
        if (program == nullptr)
            return false;

        glActiveTexture (GL_TEXTURE0 + imageTextureUnit);
        const GLuint texture = makeImageTexture (image.width, image.height, image.pixels);
        glBindTexture (GL_TEXTURE_2D, 0);

        if (texture == 0)
            return false;

        glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
        glClearColor (0, 0, 0, 0);
        glClear (GL_COLOR_BUFFER_BIT);
        glViewport (0, 0, image.width, image.height);
        drawQuad (*program, texture);

        glDeleteTextures (1, &texture);
        checkGLError();
        return true;
    }

    bool readBackUnpremultiplied (uint32_t framebuffer, uint32_t texture, SxImageRgbaBytes& image)
    {
        if (image.pixels == nullptr)
            return false;

        // Most results are opaque (dabs multiplied onto an opaque canvas): reading them
        // directly saves a second full-size target and pass, the costliest part on a
        // software rasteriser.
        glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
        glPixelStorei (GL_PACK_ALIGNMENT, 4);
        glReadPixels (0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
        glBindFramebuffer (GL_FRAMEBUFFER, 0);
        if (checkGLError() == GL_NO_ERROR && reorderIfOpaque (image))
            return true;

        auto* program = unpremultiplyProgram();
        if (program == nullptr)
            return false;

        uint32_t temporaryFramebuffer = 0, temporaryTexture = 0;

        if (! createRenderTarget (temporaryFramebuffer, temporaryTexture, image.width, image.height))
            return false;

        glViewport (0, 0, image.width, image.height);
        drawQuad (*program, texture);

        glPixelStorei (GL_PACK_ALIGNMENT, 4);
        glReadPixels (0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);

        glBindFramebuffer (GL_FRAMEBUFFER, 0);
        glDeleteTextures (1, &temporaryTexture);
        glDeleteFramebuffers (1, &temporaryFramebuffer);
        checkGLError();
        return true;
    }
}
