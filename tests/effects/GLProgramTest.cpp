#include <gtest/gtest.h>

#include "BrushShaders.h"
#include "GPUImageOpenGLESContext.h"
#include "OpenGLHeaders.h"
#include "gpu/GLErrors.h"
#include "gpu/GLProgram.h"

#include <cmath>
#include <iostream>
#include <sstream>

namespace
{
    /** Collects what is written to std::cerr while alive. */
    struct ErrorStreamCapture
    {
        ErrorStreamCapture() : previous (std::cerr.rdbuf (captured.rdbuf())) {}
        ~ErrorStreamCapture() { std::cerr.rdbuf (previous); }
        std::string text() const { return captured.str(); }

        std::ostringstream captured;
        std::streambuf* previous;
    };

    /** Every test runs with the shared context current, as the renderer's passes do. */
    class GLProgramTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            GPUImageOpenGLESContext::useSharedContext();
            ASSERT_TRUE (GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread());
            checkGLError();
        }

        void TearDown() override { GPUImageOpenGLESContext::releaseSharedContext(); }
    };
}

TEST (GLProgramSource, PrecisionStatementsAndQualifiersAreRemovedInOrder)
{
    struct Case { const char* input; const char* expected; };
    const Case cases[] = {
        { "precision highp float; void main() {}",       " void main() {}" },
        { "precision highp int;uniform lowp float a;",   "uniform float a;" },
        { "mediump vec4 f(in mediump vec4 c);",           "vec4 f(in vec4 c);" },
        { "varying highp vec2 t;",                        "varying vec2 t;" },
        { "float colourlowp = 1.0; int xmediump ;",       "float colour= 1.0; int x;" },  // plain substring removal
        { "precision mediump float;",                     "precision float;" },           // only highp statements go
        { "Highp vec4 a; highpvec4 b; lowp\tvec4 c;",     "Highp vec4 a; highpvec4 b; lowp\tvec4 c;" },
        { "",                                             "" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (GLProgram::prepareSource (c.input), juce::String (c.expected)) << "input: " << c.input;
}

TEST (GLProgramSource, BrushTextsLoseEveryQualifier)
{
    struct Text { const char* name; const char* text; };
    const Text texts[] = {
        { "swizzleFunctionsSource", swizzleFunctionsSource },
        { "quadVertexSource", quadVertexSource },
        { "premultiplyFragmentSource", premultiplyFragmentSource },
        { "unpremultiplyFragmentSource", unpremultiplyFragmentSource },
        { "spriteVertexSource", spriteVertexSource },
        { "singleColourBrushFragmentSource", singleColourBrushFragmentSource },
        { "multiplyBrushFragmentSource", multiplyBrushFragmentSource },
    };

    for (const auto& [file, source] : texts)
    {
        const juce::String text (source);
        ASSERT_TRUE (text.isNotEmpty()) << file;
        const auto prepared = GLProgram::prepareSource (text);

        for (auto* gone : { "precision", "highp ", "mediump ", "lowp " })
            EXPECT_FALSE (prepared.contains (gone)) << file << " still has " << gone;
    }
}

TEST_F (GLProgramTest, BrushProgramsCompileAndLink)
{
    struct Case
    {
        const char* vertex;
        const char* fragment;
        std::vector<const char*> attributes, uniforms;
    };
    const std::vector<Case> cases = {
        { quadVertexSource, premultiplyFragmentSource,
          { "position", "inputTextureCoordinate" }, { "inputImageTexture" } },
        { quadVertexSource, unpremultiplyFragmentSource,
          { "position", "inputTextureCoordinate" }, { "inputImageTexture" } },
        { spriteVertexSource, singleColourBrushFragmentSource, { "a_position", "a_tex_coords" },
          { "u_projection_mat", "u_model_mat", "u_brushTexture", "u_color", "u_opacity", "u_do_use_grey_scale" } },
        { spriteVertexSource, multiplyBrushFragmentSource, { "a_position", "a_tex_coords" },
          { "u_projection_mat", "u_model_mat", "u_brushTexture", "u_opacity" } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.fragment);
        ErrorStreamCapture errors;
        GLProgram program (c.vertex, c.fragment);

        for (auto* name : c.attributes)
            program.addAttribute (name);

        ASSERT_TRUE (program.link());
        EXPECT_TRUE (program.isLinked());
        EXPECT_EQ (program.getVertexShader(), 0u);
        EXPECT_EQ (program.getFragmentShader(), 0u);
        EXPECT_EQ (errors.text(), "");

        for (int i = 0; i < (int) c.attributes.size(); ++i)
        {
            EXPECT_EQ (program.attributeIndex (c.attributes[(size_t) i]), i);
            EXPECT_EQ (glGetAttribLocation (program.getProgram(), c.attributes[(size_t) i]), i);
        }

        for (auto* name : c.uniforms)
            EXPECT_GE (program.uniformIndex (name), 0) << name;

        // Set by the renderer but declared by no text.
        for (auto* name : { "u_color2", "u_color3", "u_options" })
            EXPECT_EQ (program.uniformIndex (name), -1) << name;

        program.use();
        EXPECT_EQ (checkGLError(), (uint32_t) GL_NO_ERROR);
    }
}

TEST_F (GLProgramTest, AttributesKeepTheOrderOfTheirFirstAddition)
{
    GLProgram program (quadVertexSource, premultiplyFragmentSource);
    program.addAttribute ("inputTextureCoordinate");
    program.addAttribute ("position");
    program.addAttribute ("inputTextureCoordinate");
    ASSERT_TRUE (program.link());

    struct Case { const char* name; int index; };
    const Case cases[] = {
        { "inputTextureCoordinate", 0 },
        { "position", 1 },
        { "textureCoordinate", -1 },   // declared by the shader, never added
        { "Position", -1 },
        { "", -1 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (program.attributeIndex (c.name), c.index) << c.name;

    EXPECT_EQ (glGetAttribLocation (program.getProgram(), "inputTextureCoordinate"), 0);
    EXPECT_EQ (glGetAttribLocation (program.getProgram(), "position"), 1);
}

TEST_F (GLProgramTest, FailedLinkKeepsShadersUntilDestroyedAndLogsOnce)
{
    ErrorStreamCapture errors;
    auto program = std::make_unique<GLProgram> (quadVertexSource,
                                                "void main() { gl_FragColor = undeclaredColour; }");
    program->addAttribute ("position");

    EXPECT_FALSE (program->link());
    EXPECT_FALSE (program->isLinked());

    const auto vertex = program->getVertexShader(), fragment = program->getFragmentShader(),
               name = program->getProgram();
    ASSERT_NE (vertex, 0u);
    ASSERT_NE (fragment, 0u);
    EXPECT_TRUE (glIsShader (vertex));
    EXPECT_TRUE (glIsShader (fragment));

    // Still usable the way the renderer uses it: lookups answer, errors are cleared afterwards.
    EXPECT_EQ (program->attributeIndex ("position"), 0);
    EXPECT_EQ (program->uniformIndex ("inputImageTexture"), -1);
    program->use();
    while (checkGLError() != GL_NO_ERROR) {}

    const auto log = errors.text();
    EXPECT_NE (log.find ("fragment shader failed to compile"), std::string::npos) << log;
    EXPECT_NE (log.find ("program failed to link"), std::string::npos) << log;
    EXPECT_EQ (log.find ("vertex shader failed"), std::string::npos) << log;

    // The compile log names the culprit, and appears once.
    const auto first = log.find ("undeclaredColour");
    ASSERT_NE (first, std::string::npos) << log;
    EXPECT_EQ (log.find ("undeclaredColour", first + 1), std::string::npos) << log;

    program.reset();
    EXPECT_FALSE (glIsShader (vertex));
    EXPECT_FALSE (glIsShader (fragment));
    EXPECT_FALSE (glIsProgram (name));
    EXPECT_EQ (checkGLError(), (uint32_t) GL_NO_ERROR);
}
