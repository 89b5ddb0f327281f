#include "BrushImagePasses.h"

#include "BrushShaders.h"
#include "GLErrors.h"
#include "GLProgram.h"
#include "OpenGLHeaders.h"

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
        auto* program = premultiplyProgram();

        if (program == nullptr || image.pixels == nullptr || image.width < 1 || image.height < 1)
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

    bool readBackUnpremultiplied (uint32_t texture, SxImageRgbaBytes& image)
    {
        auto* program = unpremultiplyProgram();
        glBindFramebuffer (GL_FRAMEBUFFER, 0);

        if (program == nullptr || image.pixels == nullptr)
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
