#pragma once

#include "SxPoint.h"

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>
#include <map>

class SpriteSheet;
class SpriteSheetList;

/** One brush dab: a quad in target pixels showing one frame of a sprite sheet, placed,
    rotated about a pivot, tinted and faded.

    The quad's corners, in drawing order, are quadOrigin, quadOrigin + (width, 0),
    quadOrigin + (width, height) and quadOrigin + (0, height) in the sprite's local pixels.
    The pivot is the quad's centre moved by pivotOffset. Drawing moves a corner by -pivot,
    rotates it, then moves it to position + pivot (+ the pass's tile offset); row 0 of the
    target image is y = 0.

    Colours are bytes A, R, G, B. The stream form is 104 bytes of little-endian values
    without header (see writeToStream); its layout version is supplied by the reader.
*/
class Sprite
{
public:
    /** Names of the program's attributes and uniforms -> their indices and locations, filled
        by the renderer once per pass. Keys: "a_pos", "a_tc", "u_model_matrix", "u_color",
        "u_color2", "u_color3", "u_opacity", "u_pos", "u_options", "u_brushTexture".
    */
    using LocationTable = std::map<juce::String, int>;

    /** What the renderer may do just before and just after each sprite's draw call. */
    struct DrawHooks
    {
        virtual ~DrawHooks() = default;
        virtual void willDrawSprite (Sprite&, LocationTable&) {}
        virtual void didDrawSprite (Sprite&, LocationTable&) {}
    };

    /** Every field at its default: zero geometry, opaque black colours, opacity 1, the
        whole texture as its coordinates, sheet and frame 0. */
    Sprite();
    virtual ~Sprite() = default;

    /** Where the quad's local point (0, 0) lands in the target. */
    void setPosition (float x, float y) noexcept { position = { x, y }; }
    /** The quad's width and height in pixels. */
    void setSize (float width, float height) noexcept { size = { width, height }; }
    /** Rotation about the pivot, in radians. */
    void setRotation (float radians) noexcept { rotation = radians; }
    /** Sent as u_opacity. */
    void setOpacity (float value) noexcept { opacity = value; }

    /** Shows the sheet's frame: stores the index and copies the frame's eight texture
        coordinates. Size, sheet index and colours are not changed. */
    void setFrame (const SpriteSheet& sheet, int frameIndex);

    /** "Sprite". */
    virtual juce::String getTypeName() const;

    /** Multiplies position and size by the factor; pivotOffset and quadOrigin stay. */
    virtual void scale (float factor);

    /** A value kept and streamed for the sprite's creator; drawing ignores it. */
    virtual void setUserValue (float value);
    virtual float getUserValue() const;

    /** A point kept for the sprite's creator (x and y are streamed); drawing ignores it. */
    virtual void setUserPoint (const SxPoint& point);

    /** Sent as u_options. */
    virtual void setOptions (float a, float b, float c);

    /** Draws the quad into the bound framebuffer with the renderer's program in use: binds
        the sprite's sheet, sets the per-sprite uniforms and attribute arrays through the
        location table (a key missing from it is added with location 0) and draws two
        triangles between the renderer's hooks. offset is added to the position for
        drawing only (u_pos gets the position without it). The shared context must be
        current.
    */
    void draw (DrawHooks& renderer, SpriteSheetList& sheets, LocationTable& locations, SxPoint offset);

    /** Writes the 26 values, 104 bytes: pivotOffset, position, rotation, quadOrigin, size
        (floats), colour and colour2 as integers R, G, B, A, opacity, userValue, userPoint.x
        and .y, the three options (floats), sheetIndex and frameIndex (integers). This is
        the layout of version 258. */
    virtual void writeToStream (juce::OutputStream& stream) const;

    /** Reads the values of the given layout version in the written order: colour2 only from
        version 256, sheetIndex from 257 and frameIndex from 258; fields not in the layout
        keep their contents, and a colour keeps only the low byte of its integer. When the
        stream ends before the layout does, the sprite is left as it was and the result is
        false.
    */
    virtual bool readFromStream (juce::InputStream& stream, int version);

    /** Bytes of the stream form of the given layout version. */
    static int streamSize (int version) noexcept;

    /** The matrix that takes a corner from the sprite's local pixels to target pixels, with
        the draw offset added to the position. */
    void getModelMatrix (float (&out)[16], SxPoint offset) const noexcept;

    /** The four corners (x, y) in drawing order, in local pixels. */
    std::array<float, 8> getCorners() const noexcept;

    //==============================================================================
    struct Vec2 { float x = 0.0f, y = 0.0f; bool operator== (const Vec2&) const = default; };
    using Colour = std::array<uint8_t, 4>;   // A, R, G, B

    Vec2 pivotOffset;
    Vec2 position;
    float rotation = 0.0f;
    Vec2 quadOrigin;
    Vec2 size;
    Colour colour { 255, 0, 0, 0 };
    Colour colour2 { 255, 0, 0, 0 };
    Colour colour3 { 255, 0, 0, 0 };
    float opacity = 1.0f;
    float userValue = 0.0f;
    SxPoint userPoint;
    std::array<float, 3> options { 0.0f, 0.0f, 0.0f };
    std::array<float, 8> texCoords { 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f };
    int32_t sheetIndex = 0;
    int32_t frameIndex = 0;

private:
    JUCE_LEAK_DETECTOR (Sprite)
};
