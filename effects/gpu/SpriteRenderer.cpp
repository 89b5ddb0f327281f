#include "SpriteRenderer.h"

#include "BrushImagePasses.h"
#include "BrushRenderLock.h"
#include "BrushShaders.h"
#include "BrushTiling.h"
#include "GLErrors.h"
#include "GPUImageOpenGLESContext.h"
#include "Geometry.h"
#include "Mat4.h"
#include "OpenGLHeaders.h"
#include "SharedContextUse.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <vector>

namespace
{
    constexpr GLint brushTextureUnit = 4;

    void drainGLErrors()
    {
        // Bounded: without a context glGetError may keep returning an error.
        for (int i = 0; i < 16 && checkGLError() != GL_NO_ERROR; ++i) {}
    }

    /** The integer bounding box of a sprite's rectangle turned about its centre. */
    RectBounds spriteBounds (const Sprite& sprite)
    {
        const float ax = sprite.position.x, ay = sprite.position.y;
        const float bx = ax + sprite.size.x, by = ay + sprite.size.y;
        const double centreX = (ax + bx + 1.0f) * 0.5f, centreY = (ay + by + 1.0f) * 0.5f;
        const double halfWidth = std::trunc (bx - ax + 1.0f) * 0.5, halfHeight = std::trunc (by - ay + 1.0f) * 0.5;
        const double s = std::sin ((double) sprite.rotation), c = std::cos ((double) sprite.rotation);

        float minX = 50000.0f, minY = 50000.0f, maxX = 0.0f, maxY = 0.0f;

        for (double lx : { -halfWidth, halfWidth })
            for (double ly : { -halfHeight, halfHeight })
            {
                const auto x = std::trunc ((float) (centreX + lx * c + ly * s));
                const auto y = std::trunc ((float) (centreY - lx * s + ly * c));
                minX = std::min (minX, x);  maxX = std::max (maxX, x);
                minY = std::min (minY, y);  maxY = std::max (maxY, y);
            }

        return { minX, minY, maxX - 1.0f, maxY - 1.0f };
    }

    /** Where the sprite's quad lands, as drawn (pivot and quad origin included), in target
        pixels: left, top, right, bottom without rounding. */
    RectBounds drawnExtent (const Sprite& sprite)
    {
        float model[16];
        sprite.getModelMatrix (model, {});
        const auto corners = sprite.getCorners();
        RectBounds extent;

        for (size_t i = 0; i < 8; i += 2)
        {
            const float x = model[0] * corners[i] + model[4] * corners[i + 1] + model[12];
            const float y = model[1] * corners[i] + model[5] * corners[i + 1] + model[13];
            extent.left = std::min (extent.left, x);   extent.right = std::max (extent.right, x);
            extent.top = std::min (extent.top, y);     extent.bottom = std::max (extent.bottom, y);
        }

        return extent;
    }
}

SpriteRenderer::SpriteRenderer (const SpriteSheetList& sheetList)
    : sheets (sheetList)
{
}

SpriteRenderer::~SpriteRenderer()
{
    if (program == nullptr && framebuffer == 0 && sheets.getTextures().empty())
        return;

    const SharedContextUse context;
    if (context.isCurrent())
    {
        deleteTarget();
        sheets.releaseTextures();
        program.reset();
    }
}

void SpriteRenderer::releaseResources()
{
    if (framebuffer == 0 && sheets.getTextures().empty())
        return;

    const SharedContextUse context;
    if (context.isCurrent())
    {
        deleteTarget();
        sheets.releaseTextures();
        texturesKept = false;
    }
}

juce::String SpriteRenderer::vertexShaderSource() const    { return spriteVertexSource; }
juce::String SpriteRenderer::fragmentShaderSource() const  { return singleColourBrushFragmentSource; }
juce::String SpriteRenderer::buildVertexSource() const     { return vertexShaderSource(); }
juce::String SpriteRenderer::buildFragmentSource() const   { return fragmentShaderSource(); }

void SpriteRenderer::bindExtraAttributes (GLProgram&) {}
void SpriteRenderer::setExtraUniforms (SxImageRgbaBytes&, bool, Sprite::LocationTable&) {}
void SpriteRenderer::didRender (bool) {}

void SpriteRenderer::setupBlending (bool erase)
{
    glEnable (GL_BLEND);
    glBlendEquation (GL_FUNC_ADD);

    if (erase)
        glBlendFuncSeparate (GL_ZERO, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
    else
        glBlendFuncSeparate (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE_MINUS_DST_ALPHA, GL_ONE);
}

int SpriteRenderer::getTileSide()
{
    int maxTextureSize = maxTextureSizeOverride;

    if (maxTextureSize <= 0)
    {
        const juce::ScopedLock lock (brushRenderLock);
        maxTextureSize = GPUImageOpenGLESContext::getMaxTextureSize();

        // Start-up normally stores it; renders without the application ask here.
        if (maxTextureSize <= 0)
            maxTextureSize = GPUImageOpenGLESContext::queryMaxTextureSize();
    }

    return BrushTiling::tileSideFor (maxTextureSize);
}

RectBounds SpriteRenderer::dirtyRectOf (SpriteList sprites, int width, int height)
{
    RectBounds rect;

    for (const auto* sprite : sprites)
    {
        if (sprite == nullptr)
            continue;

        const auto box = spriteBounds (*sprite);

        if (rect == RectBounds::unset())
            rect = box;
        else
        {
            rect.left = std::min (rect.left, box.left);
            rect.top = std::min (rect.top, box.top);
            rect.right = std::max (rect.right, box.right);
            rect.bottom = std::max (rect.bottom, box.bottom);
        }
    }

    clipRectToBounds (rect, { 0.0f, 0.0f, (float) width - 1.0f, (float) height - 1.0f });
    return rect;
}

void SpriteRenderer::reportFailure (const char* reason)
{
    if (! failureReported)
    {
        failureReported = true;
        std::cerr << "Brush renderer: " << reason << "; the image is left as it was." << std::endl;
    }
}

//==============================================================================
bool SpriteRenderer::render (SxImageRgbaBytes& target, SpriteList sprites, bool useGreyScale,
                             const SxImageRgbaBytes* canvas, bool createTarget, bool release, bool erase)
{
    return render (target, sprites, { useGreyScale, canvas, createTarget, release, erase, {} });
}

bool SpriteRenderer::render (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options)
{
    const juce::ScopedLock lock (brushRenderLock);
    const int tile = getTileSide();

    if (tile < 1)
    {
        reportFailure ("no usable OpenGL texture size");
        return false;
    }

    if (target.width <= tile && target.height <= tile)
    {
        RectBounds dirtyRect;
        return renderPass (target, sprites, options.useGreyScale, options.canvas, dirtyRect,
                           options.createTarget, options.release, options.erase, {});
    }

    return renderTiled (target, sprites, options, tile);
}

bool SpriteRenderer::renderTiled (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options, int tile)
{
    int columns = 0, rows = 0;
    BrushTiling::tileGridSize (target.width, target.height, tile, columns, rows);

    // Tiles land in a copy, so that a tile the GPU fails on leaves the whole target as it was.
    SxImageRgbaBytes result (target);
    const auto* canvas = options.canvas;
    const bool canvasIsTarget = canvas == nullptr || canvas == &target;

    // A tile draws only the sprites that can reach it (with a pixel to spare); the others
    // would produce no fragment there, so the output is the same, without their cost.
    std::vector<RectBounds> extents;
    for (auto* sprite : sprites)
        extents.push_back (sprite != nullptr ? drawnExtent (*sprite) : RectBounds());

    std::vector<Sprite*> tileSprites;

    for (int column = 0; column < columns; ++column)
        for (int row = 0; row < rows; ++row)
        {
            const auto rect = BrushTiling::tileRect (target.width, target.height, tile, column, row);
            const int tileWidth = (int) (rect.right - rect.left) + 1;
            const int tileHeight = (int) (rect.bottom - rect.top) + 1;

            tileSprites.clear();
            for (size_t i = 0; i < sprites.size(); ++i)
                if (extents[i].right >= rect.left - 1.0f && extents[i].left <= rect.right + 2.0f
                    && extents[i].bottom >= rect.top - 1.0f && extents[i].top <= rect.bottom + 2.0f)
                    tileSprites.push_back (sprites[i]);

            // Both tile images are copied into whole.
            SxImageRgbaBytes tileTarget (tileWidth, tileHeight, SxImageRgbaBytes::uninitialised);
            tileTarget.copyRegionFrom (target, rect, {});

            // The canvas is uploaded before the target is written, so they may share a tile.
            std::unique_ptr<SxImageRgbaBytes> tileCanvas;

            if (! canvasIsTarget)
            {
                tileCanvas = std::make_unique<SxImageRgbaBytes> (tileWidth, tileHeight, SxImageRgbaBytes::uninitialised);
                tileCanvas->copyRegionFrom (*canvas, rect, {});
            }

            SxPoint offset;
            offset.x = -rect.left;
            offset.y = -rect.top;
            RectBounds dirtyRect;

            if (! renderPass (tileTarget, tileSprites, options.useGreyScale, tileCanvas != nullptr ? tileCanvas.get() : &tileTarget,
                              dirtyRect, true, true, options.erase, offset))
                return false;

            SxPoint at;
            at.x = rect.left;
            at.y = rect.top;
            result.copyRegionFrom (tileTarget, { 0.0f, 0.0f, (float) tileWidth - 1.0f, (float) tileHeight - 1.0f }, at);
        }

    target.copyPixelsFrom (result);
    return true;
}

bool SpriteRenderer::renderPass (SxImageRgbaBytes& target, SpriteList sprites, bool useGreyScale,
                                 const SxImageRgbaBytes* canvas, RectBounds& dirtyRect,
                                 bool createTarget, bool release, bool erase, SxPoint offset)
{
    return renderPass (target, sprites, { useGreyScale, canvas, createTarget, release, erase, offset }, dirtyRect);
}

bool SpriteRenderer::renderPass (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options, RectBounds& dirtyRect)
{
    dirtyRect = dirtyRectOf (sprites, target.width, target.height);

    if (target.pixels == nullptr || target.width < 1 || target.height < 1)
        return true;   // nothing to draw on

    const SharedContextUse context;
    if (! context.isCurrent())
    {
        reportFailure ("the shared OpenGL context is not available");
        return false;
    }

    return runPass (target, sprites, options, dirtyRect);
}

bool SpriteRenderer::prepareProgram()
{
    if (program == nullptr && ! programFailed)
    {
        auto built = std::make_unique<GLProgram> (buildVertexSource(), buildFragmentSource());
        built->addAttribute ("a_position");
        built->addAttribute ("a_tex_coords");
        bindExtraAttributes (*built);

        if (built->link())
            program = std::move (built);
        else
            programFailed = true;
    }

    return program != nullptr;
}

void SpriteRenderer::deleteTarget()
{
    if (framebuffer == 0)
        return;

    glBindFramebuffer (GL_FRAMEBUFFER, 0);
    glDeleteTextures (1, &framebufferTexture);
    glDeleteFramebuffers (1, &framebuffer);
    framebuffer = framebufferTexture = 0;
    framebufferWidth = framebufferHeight = 0;
}

bool SpriteRenderer::runPass (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options, const RectBounds& dirtyRect)
{
    drainGLErrors();

    if (! prepareProgram())
    {
        reportFailure ("the brush program did not compile or link");
        return false;
    }

    if (! startTarget (options, target.width, target.height))
        return false;

    auto locations = setUpDrawing (target, options);
    drawSprites (sprites, locations, options.offset);
    const bool readBackOk = readBack (target, options, dirtyRect);
    endPass (options);

    if (! readBackOk)
    {
        reportFailure ("the result could not be read back");
        return false;
    }

    didRender (options.release);
    return true;
}

bool SpriteRenderer::startTarget (const PassOptions& options, int width, int height)
{
    if (! options.createTarget)
    {
        if (framebuffer == 0 || framebufferWidth != width || framebufferHeight != height)
        {
            reportFailure ("no render target of this size from an earlier pass");
            return false;
        }

        glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
        return true;
    }

    // A framebuffer of this size kept from the last render is drawn over; any other one was
    // left by an earlier sequence that never released.
    if (! (keepsResources && framebuffer != 0 && framebufferWidth == width && framebufferHeight == height))
    {
        deleteTarget();

        if (! BrushImagePasses::createRenderTarget (framebuffer, framebufferTexture, width, height))
        {
            reportFailure ("the off-screen framebuffer is not complete");
            return false;
        }

        framebufferWidth = width;
        framebufferHeight = height;
    }

    if (options.canvas != nullptr)
    {
        if (! BrushImagePasses::drawImagePremultiplied (framebuffer, *options.canvas))
        {
            deleteTarget();
            reportFailure ("the canvas could not be brought in");
            return false;
        }
    }
    else
    {
        glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
        glClearColor (0, 0, 0, 0);
        glClear (GL_COLOR_BUFFER_BIT);
    }

    if (! texturesKept)
        sheets.releaseTextures();
    return true;
}

Sprite::LocationTable SpriteRenderer::setUpDrawing (SxImageRgbaBytes& target, const PassOptions& options)
{
    const int width = target.width, height = target.height;
    glViewport (0, 0, width, height);

    // Kept textures are named again rather than uploaded again.
    sheets.prepareTextures (options.createTarget && ! texturesKept);
    texturesKept = false;

    float projection[16];
    mat4Ortho (projection, 0.0f, (float) width, 0.0f, (float) height, -1.0f, 1.0f);

    program->use();
    glUniform1i (program->uniformIndex ("u_do_use_grey_scale"), options.useGreyScale ? 1 : 0);
    glUniformMatrix4fv (program->uniformIndex ("u_projection_mat"), 1, GL_FALSE, projection);
    glActiveTexture (GL_TEXTURE0 + brushTextureUnit);
    glUniform1i (program->uniformIndex ("u_brushTexture"), brushTextureUnit);

    glDisable (GL_DITHER);
    setupBlending (options.erase);

    const int positionIndex = program->attributeIndex ("a_position");
    const int coordinateIndex = program->attributeIndex ("a_tex_coords");
    glUniform2f (program->uniformIndex ("u_resolution"), (float) width, (float) height);

    Sprite::LocationTable locations;
    setExtraUniforms (target, options.createTarget, locations);
    glEnableVertexAttribArray ((GLuint) positionIndex);
    glEnableVertexAttribArray ((GLuint) coordinateIndex);
    checkGLError();

    locations["a_pos"] = positionIndex;
    locations["a_tc"] = coordinateIndex;
    locations["u_model_matrix"] = program->uniformIndex ("u_model_mat");

    for (auto* name : { "u_brushTexture", "u_color", "u_color2", "u_color3", "u_opacity", "u_pos", "u_options" })
        locations[name] = program->uniformIndex (name);

    return locations;
}

void SpriteRenderer::drawSprites (SpriteList sprites, Sprite::LocationTable& locations, SxPoint offset)
{
    for (auto* sprite : sprites)
        if (sprite != nullptr)
            sprite->draw (*this, sheets, locations, offset);

    glDisableVertexAttribArray ((GLuint) locations["a_pos"]);
    glDisableVertexAttribArray ((GLuint) locations["a_tc"]);
    glDisable (GL_BLEND);
    glBindBuffer (GL_ARRAY_BUFFER, 0);
    glBindBuffer (GL_ELEMENT_ARRAY_BUFFER, 0);
}

bool SpriteRenderer::readBack (SxImageRgbaBytes& target, const PassOptions& options, const RectBounds& dirtyRect)
{
    const int width = target.width, height = target.height;
    glBindFramebuffer (GL_FRAMEBUFFER, framebuffer);
    glPixelStorei (GL_PACK_ALIGNMENT, 4);

    // The sheets are done with once the sequence ends, unless they are kept for the next one.
    if (options.release)
    {
        if (keepsResources)
            texturesKept = true;
        else
            sheets.releaseTextures();
    }

    bool ok = true;
    switch (options.readBack())
    {
        case ReadBack::straight:
            ok = BrushImagePasses::readBackUnpremultiplied (framebuffer, framebufferTexture, target);
            break;

        case ReadBack::whole:
            glReadPixels (0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, target.pixels);
            break;

        case ReadBack::dirtyPremultiplied:
        {
            const int left = (int) dirtyRect.left, top = (int) dirtyRect.top;
            const int areaWidth = (int) (dirtyRect.right - dirtyRect.left) + 1;
            const int areaHeight = (int) (dirtyRect.bottom - dirtyRect.top) + 1;
            std::vector<uint8_t> area ((size_t) areaWidth * (size_t) areaHeight * 4);
            glReadPixels (left, top, areaWidth, areaHeight, GL_RGBA, GL_UNSIGNED_BYTE, area.data());

            for (int y = 0; y < areaHeight; ++y)
            {
                const uint8_t* source = area.data() + (size_t) y * (size_t) areaWidth * 4;
                uint8_t* destination = target.getRowPointer (top + y) + (size_t) left * 4;

                for (int x = 0; x < areaWidth; ++x, source += 4, destination += 4)
                {
                    destination[0] = source[3];
                    destination[1] = source[0];
                    destination[2] = source[1];
                    destination[3] = source[2];
                }
            }
            break;
        }
    }

    glBindFramebuffer (GL_FRAMEBUFFER, 0);
    checkGLError();
    return ok;
}

void SpriteRenderer::endPass (const PassOptions& options)
{
    if (options.release && ! keepsResources)
        deleteTarget();
}
