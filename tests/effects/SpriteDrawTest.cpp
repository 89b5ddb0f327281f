#include <gtest/gtest.h>

#include "BrushShaders.h"
#include "GPUImageOpenGLESContext.h"
#include "Mat4.h"
#include "OpenGLHeaders.h"
#include "Sprite.h"
#include "SpriteSheet.h"
#include "SpriteSheetList.h"
#include "gpu/GLErrors.h"
#include "gpu/GLProgram.h"

#include <cmath>
#include <memory>
#include <vector>

namespace
{
    constexpr int width = 128, height = 128;
    constexpr float quarterTurn = 1.5707963267948966f;

    /** Counts the renderer hooks and checks that the draw call comes between them. */
    struct RecordingHooks : Sprite::DrawHooks
    {
        void willDrawSprite (Sprite&, Sprite::LocationTable& table) override { ++before; sawTable = table.size(); }
        void didDrawSprite (Sprite&, Sprite::LocationTable&) override { ++after; }
        int before = 0, after = 0;
        size_t sawTable = 0;
    };

    /** A sheet of one uniform texel colour (bytes R, G, B, A) with one frame over all of it. */
    struct UniformSheet
    {
        explicit UniformSheet (std::array<uint8_t, 4> rgba)
        {
            auto* image = new SxImageRgbaBytes (4, 4);
            for (int i = 0; i < 16; ++i)
                for (int c = 0; c < 4; ++c)
                    image->pixels[i * 4 + c] = rgba[(size_t) c];

            sheet.setImage (image, false);
            sheet.addFrame ({ "all", 0, 0, 3, 3 }, 0);
        }

        SpriteSheet sheet;
    };

    /** The sprite pass as the renderer sets it up: a W x H framebuffer cleared to
        transparent, the brush program in use with the pass uniforms and the location table,
        blending off so that the fragment values land unchanged. */
    class SpriteDrawTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            GPUImageOpenGLESContext::useSharedContext();
            ASSERT_TRUE (GPUImageOpenGLESContext::getSharedInstance().isCurrentOnThisThread());
            while (checkGLError() != GL_NO_ERROR) {}

            glGenFramebuffers (1, &framebuffer);
            glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
            glGenTextures (1, &target);
            glBindTexture (GL_TEXTURE_2D, target);
            glTexImage2D (GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
            glFramebufferTexture2D (GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
            ASSERT_EQ (glCheckFramebufferStatus (GL_FRAMEBUFFER), (GLenum) GL_FRAMEBUFFER_COMPLETE);
            glBindTexture (GL_TEXTURE_2D, 0);
            glViewport (0, 0, width, height);
            glDisable (GL_BLEND);
        }

        void TearDown() override
        {
            for (auto attribute : { 0u, 1u })
                glDisableVertexAttribArray (attribute);

            sheets.releaseTextures();
            program.reset();
            glBindFramebuffer (GL_FRAMEBUFFER, 0);
            glDeleteFramebuffers (1, &framebuffer);
            glDeleteTextures (1, &target);
            GPUImageOpenGLESContext::releaseSharedContext();
        }

        void startPass (const char* fragmentSource, bool useGreyScale, SpriteSheet& sheet)
        {
            glClearColor (0, 0, 0, 0);
            glClear (GL_COLOR_BUFFER_BIT);

            sheets.clear();
            sheets.releaseTextures();
            sheets.push_back (&sheet);
            sheets.prepareTextures (true);

            program = std::make_unique<GLProgram> (spriteVertexSource, fragmentSource);
            program->addAttribute ("a_position");
            program->addAttribute ("a_tex_coords");
            ASSERT_TRUE (program->link());
            program->use();

            float projection[16];
            mat4Ortho (projection, 0, (float) width, 0, (float) height, -1, 1);
            glUniform1i (program->uniformIndex ("u_do_use_grey_scale"), useGreyScale ? 1 : 0);
            glUniformMatrix4fv (program->uniformIndex ("u_projection_mat"), 1, GL_FALSE, projection);
            glActiveTexture (GL_TEXTURE4);
            glUniform1i (program->uniformIndex ("u_brushTexture"), 4);

            locations = {
                { "a_pos", program->attributeIndex ("a_position") },
                { "a_tc", program->attributeIndex ("a_tex_coords") },
                { "u_model_matrix", program->uniformIndex ("u_model_mat") },
            };
            for (auto* name : { "u_brushTexture", "u_color", "u_color2", "u_color3", "u_opacity", "u_pos", "u_options" })
                locations[name] = program->uniformIndex (name);

            glEnableVertexAttribArray (0);
            glEnableVertexAttribArray (1);
        }

        /** The framebuffer, rows from y = 0, bytes R, G, B, A. */
        std::vector<uint8_t> readPixels() const
        {
            std::vector<uint8_t> pixels ((size_t) (width * height * 4));
            glPixelStorei (GL_PACK_ALIGNMENT, 1);
            glReadPixels (0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
            return pixels;
        }

        GLuint framebuffer = 0, target = 0;
        std::unique_ptr<GLProgram> program;
        SpriteSheetList sheets;
        Sprite::LocationTable locations;
        RecordingHooks hooks;
    };
}

TEST_F (SpriteDrawTest, SpriteLandsWhereItsMatrixPutsIt)
{
    struct Case
    {
        const char* what;
        float x, y, w, h, rotation, pivotX, pivotY, offsetX, offsetY;
        int left, top, right, bottom;   // covered pixels, inclusive, before clipping
    };
    const Case cases[] = {
        { "unrotated",       10, 20, 100, 50, 0,            0,   0,    0, 0,   10, 20, 109, 69 },
        { "quarter turn",    10, 20, 100, 50, quarterTurn,  0,   0,    0, 0,   35, -5, 84, 94 },
        { "turn at corner",  10, 20, 100, 50, quarterTurn, -50, -25,   0, 0,  -40, 20, 9, 119 },
        { "tile offset",     10, 20, 100, 50, 0,            0,   0,  -10, 5,    0, 25, 99, 74 },
        { "small",            3,  7,   2,  1, 0,            0,   0,    0, 0,    3, 7, 4, 7 },
    };

    UniformSheet white ({ 255, 255, 255, 255 });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        startPass (singleColourBrushFragmentSource, true, white.sheet);

        Sprite sprite;
        sprite.setFrame (white.sheet, 0);
        sprite.setPosition (c.x, c.y);
        sprite.setSize (c.w, c.h);
        sprite.setRotation (c.rotation);
        sprite.pivotOffset = { c.pivotX, c.pivotY };
        sprite.colour = { 255, 255, 0, 0 };   // opaque red

        SxPoint offset;
        offset.x = c.offsetX;
        offset.y = c.offsetY;
        sprite.draw (hooks, sheets, locations, offset);
        EXPECT_EQ (checkGLError(), (uint32_t) GL_NO_ERROR);

        const auto pixels = readPixels();
        int wrong = 0;

        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const bool inside = x >= c.left && x <= c.right && y >= c.top && y <= c.bottom;
                const uint8_t* p = pixels.data() + (y * width + x) * 4;
                const bool red = p[0] == 255 && p[1] == 0 && p[2] == 0 && p[3] == 255;
                const bool clear = p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0;

                if (inside ? ! red : ! clear)
                {
                    if (wrong++ == 0)
                        ADD_FAILURE() << "first wrong pixel (" << x << ", " << y << "): "
                                      << (int) p[0] << " " << (int) p[1] << " " << (int) p[2] << " " << (int) p[3];
                }
            }

        EXPECT_EQ (wrong, 0);
    }

    EXPECT_EQ (hooks.before, (int) std::size (cases));
    EXPECT_EQ (hooks.after, (int) std::size (cases));
    EXPECT_EQ (hooks.sawTable, 10u);
}

TEST_F (SpriteDrawTest, FrameTextureCoordinatesPickTheFrame)
{
    // Left half red, right half blue (bytes R, G, B, A); frame 1 is the right half.
    auto* image = new SxImageRgbaBytes (8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
        {
            uint8_t* p = image->pixels + (y * 8 + x) * 4;
            p[0] = x < 4 ? 255 : 0;
            p[1] = 0;
            p[2] = x < 4 ? 0 : 255;
            p[3] = 255;
        }

    SpriteSheet sheet;
    sheet.setImage (image, false);
    sheet.addFrame ({ "red", 0, 0, 3, 3 }, 0);
    sheet.addFrame ({ "blue", 4, 0, 7, 3 }, 1);

    startPass (multiplyBrushFragmentSource, true, sheet);

    for (int frame : { 0, 1 })
    {
        Sprite sprite;
        sprite.setFrame (sheet, frame);
        EXPECT_EQ (sprite.frameIndex, frame);
        sprite.setPosition (frame * 64.0f, 0);
        sprite.setSize (64, 64);
        sprite.draw (hooks, sheets, locations, SxPoint());
    }

    const auto pixels = readPixels();
    const uint8_t* left = pixels.data() + (32 * width + 16) * 4;
    const uint8_t* right = pixels.data() + (32 * width + 100) * 4;
    EXPECT_EQ (left[0], 255);
    EXPECT_EQ (left[2], 0);
    EXPECT_EQ (right[0], 0);
    EXPECT_EQ (right[2], 255);
}

TEST_F (SpriteDrawTest, BrushProgramsComputeTheirFragments)
{
    struct Case
    {
        const char* what;
        const char* fragment;
        bool greyScale;
        std::array<uint8_t, 4> texel;      // R, G, B, A
        Sprite::Colour colour;             // A, R, G, B
        float opacity;
        float expected[4];                 // R, G, B, A in 0-1
    };
    const Case cases[] = {
        { "multiply halves alpha by opacity", multiplyBrushFragmentSource, true,
          { 255, 255, 255, 128 }, { 255, 0, 0, 0 }, 0.5f, { 1, 1, 1, 0.251f } },
        { "multiply ignores colour and grey flag", multiplyBrushFragmentSource, false,
          { 200, 100, 50, 255 }, { 255, 255, 0, 0 }, 1.0f, { 200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1 } },
        { "grey scale tints the coverage", singleColourBrushFragmentSource, true,
          { 10, 200, 30, 128 }, { 255, 0, 128, 255 }, 1.0f, { 0, 128 / 255.0f, 1, 128 / 255.0f } },
        { "grey scale scales by colour alpha and opacity", singleColourBrushFragmentSource, true,
          { 10, 200, 30, 255 }, { 128, 255, 255, 255 }, 0.5f, { 1, 1, 1, 0.251f } },
        { "grey from the red channel, premultiplied", singleColourBrushFragmentSource, false,
          { 200, 50, 10, 128 }, { 255, 0, 255, 0 }, 1.0f,
          { 200 / 255.0f * 128 / 255.0f, 200 / 255.0f * 128 / 255.0f, 200 / 255.0f * 128 / 255.0f, 128 / 255.0f } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        UniformSheet brush (c.texel);
        startPass (c.fragment, c.greyScale, brush.sheet);

        Sprite sprite;
        sprite.setFrame (brush.sheet, 0);
        sprite.setSize ((float) width, (float) height);
        sprite.colour = c.colour;
        sprite.setOpacity (c.opacity);
        sprite.draw (hooks, sheets, locations, SxPoint());

        const auto pixels = readPixels();
        const uint8_t* p = pixels.data() + ((height / 2) * width + width / 2) * 4;
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_NEAR (p[channel], c.expected[channel] * 255.0f, 1.01f) << "channel " << channel;
    }
}

TEST_F (SpriteDrawTest, SheetListBindsEachTextureOnceOnUnitFour)
{
    UniformSheet a ({ 1, 2, 3, 4 }), b ({ 5, 6, 7, 8 });
    sheets.push_back (&a.sheet);
    sheets.push_back (&b.sheet);

    sheets.prepareTextures (true);
    ASSERT_EQ (sheets.getTextures().size(), 2u);
    EXPECT_EQ (a.sheet.getTexture(), sheets.getTextures()[0]);
    EXPECT_EQ (b.sheet.getTexture(), sheets.getTextures()[1]);
    EXPECT_EQ (sheets.getBoundIndex(), -1);

    const auto boundOnUnitFour = []
    {
        glActiveTexture (GL_TEXTURE4);
        GLint name = 0;
        glGetIntegerv (GL_TEXTURE_BINDING_2D, &name);
        return (GLuint) name;
    };
    EXPECT_EQ (boundOnUnitFour(), 0u);

    sheets.bindSheet (1);
    EXPECT_EQ (sheets.getBoundIndex(), 1);
    EXPECT_EQ (boundOnUnitFour(), sheets.getTextures()[1]);

    // Already bound: no GL call, so a binding made behind the list's back survives.
    glBindTexture (GL_TEXTURE_2D, 0);
    glActiveTexture (GL_TEXTURE0);
    sheets.bindSheet (1);
    EXPECT_EQ (boundOnUnitFour(), 0u);

    sheets.bindSheet (0);
    EXPECT_EQ (boundOnUnitFour(), sheets.getTextures()[0]);
    sheets.bindSheet (7);   // no such sheet: ignored
    EXPECT_EQ (sheets.getBoundIndex(), 0);

    // A later pass of the same renderer reuses the names and starts unbound.
    a.sheet.setTexture (0);
    sheets.prepareTextures (false);
    EXPECT_EQ (a.sheet.getTexture(), sheets.getTextures()[0]);
    EXPECT_EQ (sheets.getBoundIndex(), -1);

    const auto names = sheets.getTextures();
    sheets.releaseTextures();
    EXPECT_TRUE (sheets.getTextures().empty());
    for (auto name : names)
        EXPECT_FALSE (glIsTexture (name));
    EXPECT_EQ (checkGLError(), (uint32_t) GL_NO_ERROR);
}
