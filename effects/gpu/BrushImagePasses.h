#pragma once

#include "SxImageRgbaBytes.h"

#include <cstdint>

/** The full-framebuffer steps around a brush pass: the render target, bringing a canvas in
    premultiplied and reading the result back straight.

    Images hold bytes A, R, G, B and go up to the GPU unchanged; the shaders reorder them, so
    the framebuffer holds premultiplied R, G, B, A. The premultiply and un-premultiply
    programs are built on first use and kept for the life of the process (the shared context
    is never destroyed). The shared context must be current and brushRenderLock held. Each
    step returns false when the GPU could not do it (framebuffer incomplete, program not
    linked, texture not made); the image passed in is then left untouched.
*/
namespace BrushImagePasses
{
    /** Makes a W x H RGBA texture (linear, edge-clamped, no data) and a framebuffer with it as
        colour attachment 0, left bound. False, with both deleted and set to 0, when either
        cannot be made or the framebuffer is not complete.
    */
    bool createRenderTarget (uint32_t& framebuffer, uint32_t& texture, int width, int height);

    /** Clears the framebuffer to transparent and draws the image into it 1:1 from row 0 and
        column 0, premultiplied.
    */
    bool drawImagePremultiplied (uint32_t framebuffer, const SxImageRgbaBytes& image);

    /** Reads the framebuffer's premultiplied texture (the image's size) into the image as
        straight bytes A, R, G, B. A pixel of alpha 0 comes back as four zero bytes. A fully
        opaque result is read as it is (dividing by an alpha of 1 changes nothing); otherwise
        the texture is drawn through the un-premultiply program into a temporary framebuffer
        and read from there. Leaves framebuffer 0 bound. When that second read fails, the
        image holds the premultiplied bytes and false is returned.
    */
    bool readBackUnpremultiplied (uint32_t framebuffer, uint32_t texture, SxImageRgbaBytes& image);
}
