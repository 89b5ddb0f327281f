#include <gtest/gtest.h>

#include "BrushShaders.h"
#include "GPUImageOpenGLESContext.h"
#include "OpenGLHeaders.h"
#include "gpu/GLErrors.h"
#include "gpu/GLProgram.h"

#include <string>

namespace
{
    std::string resourceText (const char* fileName)
    {
        const auto folder = juce::File (__FILE__).getParentDirectory().getParentDirectory()
                                .getParentDirectory().getChildFile ("resources/shaders");
        juce::MemoryBlock bytes;
        folder.getChildFile (fileName).loadFileAsData (bytes);
        return bytes.toString().toStdString();
    }
}

TEST (BrushShaders, CompiledInTextsAreTheResourceFilesByteForByte)
{
    struct Case { const char* source; const char* prefix; const char* file; };
    const Case cases[] = {
        { swizzleFunctionsSource,          "",                        "swizzleFunctions.glsl" },
        { quadVertexSource,                "",                        "quadVertex.glsl" },
        { spriteVertexSource,              "",                        "spriteVertex.glsl" },
        { premultiplyFragmentSource,       "swizzleFunctions.glsl",   "premultiplyFragment.glsl" },
        { unpremultiplyFragmentSource,     "swizzleFunctions.glsl",   "unpremultiplyFragment.glsl" },
        { singleColourBrushFragmentSource, "swizzleFunctions.glsl",   "singleColourBrushFragment.glsl" },
        { multiplyBrushFragmentSource,     "swizzleFunctions.glsl",   "multiplyBrushFragment.glsl" },
    };

    for (const auto& c : cases)
    {
        const auto body = resourceText (c.file);
        ASSERT_FALSE (body.empty()) << c.file;
        const auto expected = (*c.prefix != 0 ? resourceText (c.prefix) : std::string()) + body;
        EXPECT_EQ (std::string (c.source), expected) << c.file;
    }

    // The fragment texts start with the swizzle functions with nothing in between.
    EXPECT_EQ (std::string (premultiplyFragmentSource).rfind ("mediump vec4 swizzleOut(in mediump vec4 c) {", 0), 0u);
    EXPECT_NE (std::string (premultiplyFragmentSource).find ("c.r);}varying highp vec2"), std::string::npos);
}

TEST (BrushShaders, ImagePassesConvertBetweenArgbBytesAndPremultipliedRgba)
{
    struct Case
    {
        const char* what;
        const char* fragment;
        uint8_t input[8];        // two texels as uploaded
        int expected[2][4];      // the two framebuffer pixels read back
        int tolerance[2];
    };
    const Case cases[] = {
        // Bytes A, R, G, B of an image in; premultiplied R, G, B, A out. The opaque pixel is exact.
        { "premultiply", premultiplyFragmentSource,
          { 128, 200, 100, 50,   255, 10, 20, 30 },
          { { 100, 50, 25, 128 }, { 10, 20, 30, 255 } }, { 1, 0 } },
        // And back: premultiplied R, G, B, A in, bytes A, R, G, B out.
        { "un-premultiply", unpremultiplyFragmentSource,
          { 100, 50, 25, 128,    10, 20, 30, 255 },
          { { 128, 199, 100, 50 }, { 255, 10, 20, 30 } }, { 1, 0 } },
        // Alpha 0 gives colour 0, also when the colour bytes are not 0 (no division by zero).
        { "un-premultiply of alpha 0", unpremultiplyFragmentSource,
          { 50, 60, 70, 0,       0, 0, 0, 0 },
          { { 0, 0, 0, 0 }, { 0, 0, 0, 0 } }, { 0, 0 } },
    };

    GPUImageOpenGLESContext::useSharedContext();
    ASSERT_TRUE (GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread());
    while (checkGLError() != GL_NO_ERROR) {}

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        GLuint source = 0, target = 0, framebuffer = 0;
        glActiveTexture (GL_TEXTURE1);
        glGenTextures (1, &source);
        glBindTexture (GL_TEXTURE_2D, source);
        glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri (GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei (GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D (GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, c.input);

        glActiveTexture (GL_TEXTURE0);
        glGenTextures (1, &target);
        glBindTexture (GL_TEXTURE_2D, target);
        glTexImage2D (GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffers (1, &framebuffer);
        glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D (GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
        ASSERT_EQ (glCheckFramebufferStatus (GL_FRAMEBUFFER), (GLenum) GL_FRAMEBUFFER_COMPLETE);

        {
            GLProgram program (quadVertexSource, c.fragment);
            program.addAttribute ("position");
            program.addAttribute ("inputTextureCoordinate");
            ASSERT_TRUE (program.link());
            program.use();
            glUniform1i (program.uniformIndex ("inputImageTexture"), 1);

            // Texture row 0 onto framebuffer row 0.
            const GLfloat positions[] = { -1, -1,  1, -1,  -1, 1,  1, 1 };
            const GLfloat coordinates[] = { 0, 0,  1, 0,  0, 1,  1, 1 };
            glViewport (0, 0, 2, 1);
            glDisable (GL_BLEND);
            glVertexAttribPointer (0, 2, GL_FLOAT, GL_FALSE, 0, positions);
            glVertexAttribPointer (1, 2, GL_FLOAT, GL_FALSE, 0, coordinates);
            glEnableVertexAttribArray (0);
            glEnableVertexAttribArray (1);
            glDrawArrays (GL_TRIANGLE_STRIP, 0, 4);
            glDisableVertexAttribArray (0);
            glDisableVertexAttribArray (1);
        }

        uint8_t result[8] = {};
        glPixelStorei (GL_PACK_ALIGNMENT, 1);
        glReadPixels (0, 0, 2, 1, GL_RGBA, GL_UNSIGNED_BYTE, result);
        EXPECT_EQ (checkGLError(), (uint32_t) GL_NO_ERROR);

        for (int pixel = 0; pixel < 2; ++pixel)
            for (int channel = 0; channel < 4; ++channel)
                EXPECT_NEAR (result[pixel * 4 + channel], c.expected[pixel][channel], c.tolerance[pixel])
                    << "pixel " << pixel << " channel " << channel;

        glBindFramebuffer (GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers (1, &framebuffer);
        glDeleteTextures (1, &target);
        glDeleteTextures (1, &source);
    }

    GPUImageOpenGLESContext::releaseSharedContext();
}
