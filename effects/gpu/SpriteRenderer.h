#pragma once

#include "GLProgram.h"
#include "Sprite.h"
#include "SpriteSheetList.h"
#include "SxImageRgbaBytes.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <memory>
#include <span>

/** Draws a list of brush dabs onto an image on the GPU and reads the result back into it.

    A pass brings the canvas into an off-screen framebuffer premultiplied, blends every sprite
    onto it in list order with the program and blending of the class, and reads the
    framebuffer back un-premultiplied (bytes A, R, G, B). A target larger than one texture is
    cut into tiles (BrushTiling); every tile draws every sprite that reaches it, moved by the
    tile's offset, so dabs crossing a tile border join without a seam.

    All GL work runs on the shared off-screen context (GPUImageOpenGLESContext), made current
    on the calling thread for each pass and released after it, under brushRenderLock
    (SharedContextUse), so any render thread may use a renderer while it holds the lock. One
    renderer must not be used by two threads at once.

    A renderer that keeps its resources (setKeepsResources) leaves the framebuffer and the
    sheet textures on the context after a releasing pass, and the next pass that creates a
    target of the same size starts from them instead of making and uploading them again. The
    result is the same; the sheets' images must not change meanwhile.

    When the GPU cannot do a pass (no context, framebuffer incomplete, a program that does not
    link) the target is left exactly as it was, the reason goes once per renderer to the
    error stream, and the call returns false for the caller to carry on.

    The base class blends with normal source-over and draws with the single-colour brush;
    SpriteRendererMultiplyBrush multiplies.
*/
class SpriteRenderer : public Sprite::DrawHooks
{
public:
    using SpriteList = std::span<Sprite* const>;

    /** How a pass hands its result back to the target. */
    enum class ReadBack
    {
        straight,            ///< the whole framebuffer un-premultiplied, bytes A, R, G, B
        whole,               ///< the whole framebuffer as it is: premultiplied R, G, B, A
        dirtyPremultiplied   ///< only the dirty rectangle, premultiplied, reordered to A, R, G, B
    };

    /** The flags of a pass by name. */
    struct PassOptions
    {
        bool useGreyScale = true;                  ///< the shader's grey-scale switch
        const SxImageRgbaBytes* canvas = nullptr;  ///< what a created framebuffer starts from
        bool createTarget = true;                  ///< make the framebuffer, else draw on the one left by the last pass
        bool release = true;                       ///< end the sequence: read back and let the framebuffer go
        bool erase = false;                        ///< remove coverage instead of painting
        SxPoint offset;                            ///< added to every sprite's position

        /** Grey-scale releasing passes read straight; grey-scale passes that keep the
            target read their dirty rectangle; others read the whole framebuffer. */
        ReadBack readBack() const noexcept
        {
            if (! useGreyScale)
                return ReadBack::whole;
            return release ? ReadBack::straight : ReadBack::dirtyPremultiplied;
        }
    };

    /** Keeps a copy of the list (the sheets themselves are not owned). Makes no GL call. */
    explicit SpriteRenderer (const SpriteSheetList& sheets);

    /** Deletes the sprite program on the shared context. A framebuffer left by a pass that
        did not release is deleted too. */
    ~SpriteRenderer() override;

    /** Draws the sprites onto target. canvas (the target's own pixels when null in a tiled
        render) is what the framebuffer starts from; without a canvas a single pass starts
        transparent. Targets wider or taller than the tile side are done in tiles, each with
        createTarget and release set; otherwise one pass with the caller's flags. Returns
        false when a pass failed, the target then being unchanged.
    */
    virtual bool render (SxImageRgbaBytes& target, SpriteList sprites, bool useGreyScale,
                         const SxImageRgbaBytes* canvas, bool createTarget, bool release, bool erase);

    /** The same with named flags (the offset is not used: tiles bring their own). */
    bool render (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options);

    /** One pass over the whole target, the sprites moved by offset. createTarget makes the
        framebuffer (and uploads the sheets), else the one an earlier pass left is drawn on;
        release reads the result back and deletes it all, else the dirty rectangle (grey
        scale) or the whole framebuffer is read premultiplied. dirtyRect receives the bounds
        of all sprites clipped to the target (the whole target when there are none).
    */
    virtual bool renderPass (SxImageRgbaBytes& target, SpriteList sprites, bool useGreyScale,
                             const SxImageRgbaBytes* canvas, RectBounds& dirtyRect,
                             bool createTarget, bool release, bool erase, SxPoint offset);

    /** The same with named flags. */
    bool renderPass (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options, RectBounds& dirtyRect);

    /** Whether releasing passes keep the framebuffer and the sheet textures for the next
        pass of the same size (see the class description). Off by default. */
    void setKeepsResources (bool shouldKeep) noexcept { keepsResources = shouldKeep; }

    /** Deletes a kept framebuffer and the sheet textures now (the destructor does too). */
    void releaseResources();

    /** spriteVertexSource. */
    virtual juce::String vertexShaderSource() const;
    /** singleColourBrushFragmentSource; the multiply brush returns its own text. */
    virtual juce::String fragmentShaderSource() const;
    /** The text compiled as vertex shader. */
    virtual juce::String buildVertexSource() const;
    /** The text compiled as fragment shader. */
    virtual juce::String buildFragmentSource() const;

    /** Hook before the sprite program is linked, after "a_position" and "a_tex_coords". */
    virtual void bindExtraAttributes (GLProgram& program);
    /** Hook after the pass uniforms are set, given the still empty location table. */
    virtual void setExtraUniforms (SxImageRgbaBytes& target, bool createTarget, Sprite::LocationTable& locations);
    /** Hook at the end of every pass that drew. */
    virtual void didRender (bool release);

    /** Enables blending and sets its functions: source-over, or erase (d x (1 - s.a)). */
    virtual void setupBlending (bool erase);

    /** The largest texture side the tiling assumes; 0 (the default) asks the GPU. Tests set
        a small one to make small images tile. */
    void setMaxTextureSize (int size) noexcept { maxTextureSizeOverride = size; }

    /** The tile side this renderer uses (below 1 when there is no usable GPU). */
    int getTileSide();

    /** Bounds of the sprites' rotated rectangles clipped to (0, 0, width - 1, height - 1);
        the whole of it when there are no sprites. Pivot offsets, quad origins and the pass
        offset are not taken into account. */
    static RectBounds dirtyRectOf (SpriteList sprites, int width, int height);

private:
    // The steps of one pass, in order; the shared context is current.
    bool runPass (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options, const RectBounds& dirtyRect);
    bool prepareProgram();
    bool startTarget (const PassOptions& options, int width, int height);
    Sprite::LocationTable setUpDrawing (SxImageRgbaBytes& target, const PassOptions& options);
    void drawSprites (SpriteList sprites, Sprite::LocationTable& locations, SxPoint offset);
    bool readBack (SxImageRgbaBytes& target, const PassOptions& options, const RectBounds& dirtyRect);
    void endPass (const PassOptions& options);

    bool renderTiled (SxImageRgbaBytes& target, SpriteList sprites, const PassOptions& options, int tile);
    void deleteTarget();
    void reportFailure (const char* reason);

    std::unique_ptr<GLProgram> program;
    bool programFailed = false;
    SpriteSheetList sheets;
    uint32_t framebuffer = 0;          // 0: none
    uint32_t framebufferTexture = 0;
    int framebufferWidth = 0, framebufferHeight = 0;
    int maxTextureSizeOverride = 0;
    bool failureReported = false;
    bool keepsResources = false;
    bool texturesKept = false;         // the sheet textures of a kept pass are still uploaded

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpriteRenderer)
};
