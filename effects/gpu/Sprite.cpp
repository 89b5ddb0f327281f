#include "Sprite.h"

#include "GLErrors.h"
#include "Mat4.h"
#include "OpenGLHeaders.h"
#include "SpriteSheet.h"
#include "SpriteSheetList.h"

#include <cmath>
#include <iterator>

namespace
{
    // Layout versions of the stream form: each adds one group of values.
    constexpr int versionWithColour2 = 256;
    constexpr int versionWithSheetIndex = 257;
    constexpr int versionWithFrameIndex = 258;

    constexpr float smallestRotation = 0.00001f;

    void writeColour (juce::OutputStream& stream, const Sprite::Colour& argb)
    {
        for (int channel : { 1, 2, 3, 0 })
            stream.writeInt (argb[(size_t) channel]);
    }

    void readColour (juce::InputStream& stream, Sprite::Colour& argb)
    {
        for (int channel : { 1, 2, 3, 0 })
            argb[(size_t) channel] = (uint8_t) (stream.readInt() & 0xff);
    }

    void setColourUniform (int location, const Sprite::Colour& argb)
    {
        glUniform4f (location, argb[1] / 255.0f, argb[2] / 255.0f, argb[3] / 255.0f, argb[0] / 255.0f);
    }
}

Sprite::Sprite() = default;

void Sprite::setFrame (const SpriteSheet& sheet, int newFrameIndex)
{
    frameIndex = newFrameIndex;
    float coordinates[8];
    sheet.getFrameTexCoords (newFrameIndex, coordinates);
    std::copy (std::begin (coordinates), std::end (coordinates), texCoords.begin());
}

juce::String Sprite::getTypeName() const
{
    return "Sprite";
}

void Sprite::scale (float factor)
{
    position = { position.x * factor, position.y * factor };
    size = { size.x * factor, size.y * factor };
}

void Sprite::setUserValue (float value) { userValue = value; }
float Sprite::getUserValue() const { return userValue; }
void Sprite::setUserPoint (const SxPoint& point) { userPoint = point; }
void Sprite::setOptions (float a, float b, float c) { options = { a, b, c }; }

std::array<float, 8> Sprite::getCorners() const noexcept
{
    const float left = quadOrigin.x, top = quadOrigin.y;
    const float right = left + size.x, bottom = top + size.y;
    return { left, top, right, top, right, bottom, left, bottom };
}

void Sprite::getModelMatrix (float (&out)[16], SxPoint offset) const noexcept
{
    const float pivotX = size.x * 0.5f + pivotOffset.x;
    const float pivotY = size.y * 0.5f + pivotOffset.y;

    float step[16];
    mat4Identity (out);
    mat4Translation (step, position.x + offset.x + pivotX, position.y + offset.y + pivotY, 0.0f);
    mat4Multiply (out, out, step);

    if (std::abs (rotation) > smallestRotation)
    {
        mat4RotationZ (step, rotation);
        mat4Multiply (out, out, step);
    }

    mat4Translation (step, -pivotX, -pivotY, 0.0f);
    mat4Multiply (out, out, step);
}

void Sprite::draw (DrawHooks& renderer, SpriteSheetList& sheets, LocationTable& locations, SxPoint offset)
{
    sheets.bindSheet (sheetIndex);
    checkGLError();

    const auto corners = getCorners();
    static constexpr GLubyte indices[] = { 0, 1, 2, 2, 3, 0 };

    float model[16];
    getModelMatrix (model, offset);

    glUniform1f (locations["u_opacity"], opacity);
    setColourUniform (locations["u_color"], colour);
    setColourUniform (locations["u_color2"], colour2);
    setColourUniform (locations["u_color3"], colour3);
    glUniform3f (locations["u_options"], options[0], options[1], options[2]);
    checkGLError();
    glUniformMatrix4fv (locations["u_model_matrix"], 1, GL_FALSE, model);
    checkGLError();
    glUniform2f (locations["u_pos"], position.x, position.y);
    checkGLError();
    checkGLError();

    glVertexAttribPointer ((GLuint) locations["a_pos"], 2, GL_FLOAT, GL_FALSE, 0, corners.data());
    glVertexAttribPointer ((GLuint) locations["a_tc"], 2, GL_FLOAT, GL_FALSE, 0, texCoords.data());
    checkGLError();

    renderer.willDrawSprite (*this, locations);
    glDrawElements (GL_TRIANGLES, 6, GL_UNSIGNED_BYTE, indices);
    renderer.didDrawSprite (*this, locations);
}

int Sprite::streamSize (int version) noexcept
{
    int values = 9 + 4 + 7;   // geometry, colour, opacity to options

    if (version >= versionWithColour2)    values += 4;
    if (version >= versionWithSheetIndex) values += 1;
    if (version >= versionWithFrameIndex) values += 1;

    return values * 4;
}

void Sprite::writeToStream (juce::OutputStream& stream) const
{
    for (float value : { pivotOffset.x, pivotOffset.y, position.x, position.y, rotation,
                         quadOrigin.x, quadOrigin.y, size.x, size.y })
        stream.writeFloat (value);

    writeColour (stream, colour);
    writeColour (stream, colour2);

    for (float value : { opacity, userValue, userPoint.x, userPoint.y, options[0], options[1], options[2] })
        stream.writeFloat (value);

    stream.writeInt (sheetIndex);
    stream.writeInt (frameIndex);
}

bool Sprite::readFromStream (juce::InputStream& stream, int version)
{
    // The whole layout is fetched first so that a stream cut short changes nothing.
    const auto needed = (size_t) streamSize (version);
    juce::MemoryBlock bytes (needed);

    if ((size_t) stream.read (bytes.getData(), (int) needed) != needed)
        return false;

    juce::MemoryInputStream in (bytes, false);

    for (float* field : { &pivotOffset.x, &pivotOffset.y, &position.x, &position.y, &rotation,
                          &quadOrigin.x, &quadOrigin.y, &size.x, &size.y })
        *field = in.readFloat();

    readColour (in, colour);

    if (version >= versionWithColour2)
        readColour (in, colour2);

    for (float* field : { &opacity, &userValue, &userPoint.x, &userPoint.y, &options[0], &options[1], &options[2] })
        *field = in.readFloat();

    if (version >= versionWithSheetIndex)
        sheetIndex = in.readInt();

    if (version >= versionWithFrameIndex)
        frameIndex = in.readInt();

    return true;
}
