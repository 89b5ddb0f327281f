#pragma once

#include "ShaderFiles.h"

#include <array>
#include <cstddef>

/** The GLSL texts of the brush renderer, compiled in from resources/shaders.

    Written for OpenGL ES: GLProgram strips their precision statements and qualifiers.
    Every fragment text starts with the swizzle functions, which bridge the image buffers'
    A,R,G,B bytes (uploaded unchanged, so a texel's r, g, b, a hold A, R, G, B) and the
    framebuffer's premultiplied R,G,B,A. The texts are constant expressions: usable from
    any static initialiser, and nothing is built at start-up.

    Programs: premultiply and un-premultiply (quadVertexSource; attributes "position",
    "inputTextureCoordinate"; sampler "inputImageTexture" on unit 1), single-colour and
    multiply brush (spriteVertexSource; attributes "a_position", "a_tex_coords"; sampler
    "u_brushTexture" on unit 4).
*/

namespace BrushShaderTexts
{
    /** The two texts one after the other, with one terminating zero. */
    template <std::size_t firstSize, std::size_t secondSize>
    constexpr std::array<char, firstSize + secondSize - 1> join (const char (&first)[firstSize],
                                                                 const char (&second)[secondSize]) noexcept
    {
        std::array<char, firstSize + secondSize - 1> joined {};

        for (std::size_t i = 0; i + 1 < firstSize; ++i)
            joined[i] = first[i];

        for (std::size_t i = 0; i < secondSize; ++i)
            joined[firstSize - 1 + i] = second[i];

        return joined;
    }

    inline constexpr auto premultiplyFragment = join (ShaderFiles::swizzleFunctions, ShaderFiles::premultiplyFragment);
    inline constexpr auto unpremultiplyFragment = join (ShaderFiles::swizzleFunctions, ShaderFiles::unpremultiplyFragment);
    inline constexpr auto singleColourBrushFragment = join (ShaderFiles::swizzleFunctions, ShaderFiles::singleColourBrushFragment);
    inline constexpr auto multiplyBrushFragment = join (ShaderFiles::swizzleFunctions, ShaderFiles::multiplyBrushFragment);
}

/** swizzleIn: a texel uploaded from A,R,G,B bytes -> (R, G, B, A); swizzleOut: the reverse,
    so that the bytes read back are A, R, G, B. */
inline constexpr const char* swizzleFunctionsSource = ShaderFiles::swizzleFunctions;

/** Passes clip-space positions through and hands on the texture coordinate. */
inline constexpr const char* quadVertexSource = ShaderFiles::quadVertex;

/** A,R,G,B texel -> premultiplied R,G,B,A. */
inline constexpr const char* premultiplyFragmentSource = BrushShaderTexts::premultiplyFragment.data();

/** Premultiplied R,G,B,A -> colour divided by alpha, written so the bytes read back are A,R,G,B.
    A texel of alpha 0 gives colour 0 rather than a division by zero, whose result GPUs differ on. */
inline constexpr const char* unpremultiplyFragmentSource = BrushShaderTexts::unpremultiplyFragment.data();

/** Corner -> u_model_mat -> u_projection_mat; the texture coordinate goes on unchanged. */
inline constexpr const char* spriteVertexSource = ShaderFiles::spriteVertex;

/** With u_do_use_grey_scale: (u_color.rgb, u_color.a x u_opacity x brush alpha); without:
    grey from the brush's red channel, premultiplied by its alpha, alpha x u_opacity. */
inline constexpr const char* singleColourBrushFragmentSource = BrushShaderTexts::singleColourBrushFragment.data();

/** The brush texel with its alpha scaled by u_opacity; the multiplying is done by blending. */
inline constexpr const char* multiplyBrushFragmentSource = BrushShaderTexts::multiplyBrushFragment.data();
