#include <gtest/gtest.h>

#include "Mat4.h"
#include "Sprite.h"

#include <cmath>
#include <cstring>

namespace
{
    constexpr float quarterTurn = 1.5707963267948966f;

    /** The column-major matrix applied to the point (x, y, 0, 1). */
    SxPoint transform (const float (&m)[16], float x, float y)
    {
        SxPoint p;
        p.x = m[0] * x + m[4] * y + m[12];
        p.y = m[1] * x + m[5] * y + m[13];
        return p;
    }

    void expectMatrix (const float (&actual)[16], const float (&expected)[16], float tolerance = 1.0e-6f)
    {
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR (actual[i], expected[i], tolerance) << "index " << i;
    }

    std::vector<uint8_t> streamBytes (const Sprite& sprite)
    {
        juce::MemoryOutputStream out;
        sprite.writeToStream (out);
        const auto* data = static_cast<const uint8_t*> (out.getData());
        return { data, data + out.getDataSize() };
    }

    float floatAt (const std::vector<uint8_t>& bytes, size_t offset)
    {
        const auto bits = juce::ByteOrder::littleEndianInt (bytes.data() + offset);
        float value;
        std::memcpy (&value, &bits, sizeof (value));
        return value;
    }

    int32_t intAt (const std::vector<uint8_t>& bytes, size_t offset)
    {
        return (int32_t) juce::ByteOrder::littleEndianInt (bytes.data() + offset);
    }

    /** A sprite with every streamed field away from its default. */
    Sprite makeBusySprite()
    {
        Sprite s;
        s.pivotOffset = { 1.5f, -2.5f };
        s.setPosition (10.25f, 20.5f);
        s.setRotation (0.75f);
        s.quadOrigin = { -3.0f, 4.0f };
        s.setSize (30.0f, 40.0f);
        s.colour = { 11, 22, 33, 44 };
        s.colour2 = { 55, 66, 77, 88 };
        s.setOpacity (0.375f);
        s.setUserValue (7.5f);
        SxPoint user;
        user.x = 3.25f;
        user.y = -8.0f;
        s.setUserPoint (user);
        s.setOptions (0.1f, 0.2f, 0.3f);
        s.sheetIndex = 3;
        s.frameIndex = 42;
        return s;
    }
}

TEST (Mat4, HelpersBuildTheColumnMajorMatrices)
{
    float m[16];

    mat4Identity (m);
    const float identity[16] = { 1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 0, 1 };
    expectMatrix (m, identity);

    mat4Translation (m, 3, -4, 5);
    const float translation[16] = { 1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  3, -4, 5, 1 };
    expectMatrix (m, translation);

    const float angle = 0.5f, c = std::cos (angle), s = std::sin (angle);
    mat4RotationZ (m, angle);
    const float rotation[16] = { c, s, 0, 0,  -s, c, 0, 0,  0, 0, 1, 0,  0, 0, 0, 1 };
    expectMatrix (m, rotation);

    // A quarter turn takes the x axis onto the y axis (down the image rows).
    mat4RotationZ (m, quarterTurn);
    const auto turned = transform (m, 1, 0);
    EXPECT_NEAR (turned.x, 0.0f, 1.0e-6f);
    EXPECT_NEAR (turned.y, 1.0f, 1.0e-6f);

    // The projection of a W x H target: (0, 0) to the clip corner (-1, -1), (W, H) to (1, 1).
    mat4Ortho (m, 0, 200, 0, 100, -1, 1);
    const float ortho[16] = { 0.01f, 0, 0, 0,  0, 0.02f, 0, 0,  0, 0, -1, 0,  -1, -1, 0, 1 };
    expectMatrix (m, ortho);
    const auto origin = transform (m, 0, 0), corner = transform (m, 200, 100), middle = transform (m, 50, 75);
    EXPECT_FLOAT_EQ (origin.x, -1.0f);
    EXPECT_FLOAT_EQ (origin.y, -1.0f);
    EXPECT_FLOAT_EQ (corner.x, 1.0f);
    EXPECT_FLOAT_EQ (corner.y, 1.0f);
    EXPECT_FLOAT_EQ (middle.x, -0.5f);
    EXPECT_FLOAT_EQ (middle.y, 0.5f);
}

TEST (Mat4, MultiplyPutsTheRightHandMatrixFirstAndAllowsAliasing)
{
    float move[16], turn[16], expected[16];
    mat4Translation (move, 10, 20, 0);
    mat4RotationZ (turn, quarterTurn);
    mat4Multiply (expected, move, turn);

    // move x turn: the point is turned first, then moved.
    const auto p = transform (expected, 1, 0);
    EXPECT_NEAR (p.x, 10.0f, 1.0e-5f);
    EXPECT_NEAR (p.y, 21.0f, 1.0e-5f);

    float intoLeft[16], intoRight[16];
    std::memcpy (intoLeft, move, sizeof (move));
    mat4Multiply (intoLeft, intoLeft, turn);
    expectMatrix (intoLeft, expected, 0.0f);

    std::memcpy (intoRight, turn, sizeof (turn));
    mat4Multiply (intoRight, move, intoRight);
    expectMatrix (intoRight, expected, 0.0f);

    float squared[16];
    mat4Multiply (squared, turn, turn);
    mat4Multiply (turn, turn, turn);
    expectMatrix (turn, squared, 0.0f);
}

TEST (Sprite, QuarterTurnKeepsTheCentreOnThePivot)
{
    Sprite sprite;
    sprite.setPosition (10, 20);
    sprite.setSize (100, 50);

    const SxPoint noOffset;
    float flat[16], turned[16];
    sprite.getModelMatrix (flat, noOffset);
    sprite.setRotation (quarterTurn);
    sprite.getModelMatrix (turned, noOffset);

    for (const auto* m : { &flat, &turned })
    {
        const auto centre = transform (*m, 50, 25);
        EXPECT_NEAR (centre.x, 60.0f, 1.0e-4f);
        EXPECT_NEAR (centre.y, 45.0f, 1.0e-4f);
    }

    // Corners: unrotated at position + local; turned about the centre, (x, y) -> (-y, x).
    struct Case { float x, y, flatX, flatY, turnedX, turnedY; };
    const Case corners[] = {
        { 0, 0,      10, 20,    85, -5 },
        { 100, 0,    110, 20,   85, 95 },
        { 100, 50,   110, 70,   35, 95 },
        { 0, 50,     10, 70,    35, -5 },
    };

    for (const auto& c : corners)
    {
        const auto a = transform (flat, c.x, c.y), b = transform (turned, c.x, c.y);
        EXPECT_NEAR (a.x, c.flatX, 1.0e-4f);
        EXPECT_NEAR (a.y, c.flatY, 1.0e-4f);
        EXPECT_NEAR (b.x, c.turnedX, 1.0e-4f) << c.x << "," << c.y;
        EXPECT_NEAR (b.y, c.turnedY, 1.0e-4f) << c.x << "," << c.y;
    }
}

TEST (Sprite, PivotOffsetQuadOriginAndDrawOffsetPlaceTheQuad)
{
    struct Case
    {
        const char* what;
        float pivotX, pivotY, originX, originY, rotation, offsetX, offsetY;
        float localX, localY, expectedX, expectedY;
    };
    const Case cases[] = {
        // Pivot at the local origin: the corner there stays at the position while turning.
        { "pivot at corner",   -50, -25,   0,   0, quarterTurn,   0, 0,   0,  0,   10, 20 },
        { "pivot at corner",   -50, -25,   0,   0, quarterTurn,   0, 0,   100, 0,  10, 120 },
        // The quad origin only moves the corners; the matrix stays that of the position.
        { "quad origin",         0,   0, -50, -25, 0,             0, 0,   -50, -25, -40, -5 },
        // The tile offset is added to the position.
        { "draw offset",         0,   0,   0,   0, 0,           -10, 5,   0,  0,    0, 25 },
        { "turned and offset",   0,   0,   0,   0, quarterTurn, -10, 5,   0,  0,   75, 0 },
        // At or below 0.00001 radians the rotation is left out altogether.
        { "tiny rotation",       0,   0,   0,   0, 0.00001f,      0, 0,   0,  0,   10, 20 },
        { "tiny negative",       0,   0,   0,   0, -0.00001f,     0, 0,   100, 50, 110, 70 },
    };

    for (const auto& c : cases)
    {
        Sprite sprite;
        sprite.setPosition (10, 20);
        sprite.setSize (100, 50);
        sprite.pivotOffset = { c.pivotX, c.pivotY };
        sprite.quadOrigin = { c.originX, c.originY };
        sprite.setRotation (c.rotation);

        SxPoint offset;
        offset.x = c.offsetX;
        offset.y = c.offsetY;
        float m[16];
        sprite.getModelMatrix (m, offset);

        const auto p = transform (m, c.localX, c.localY);
        EXPECT_NEAR (p.x, c.expectedX, 1.0e-4f) << c.what;
        EXPECT_NEAR (p.y, c.expectedY, 1.0e-4f) << c.what;
    }

    // Exactly unrotated, not merely close: no rotation matrix enters.
    Sprite tiny, none;
    tiny.setRotation (0.00001f);
    tiny.setPosition (0.3f, 0.7f);
    none.setPosition (0.3f, 0.7f);
    float a[16], b[16];
    tiny.getModelMatrix (a, SxPoint());
    none.getModelMatrix (b, SxPoint());
    expectMatrix (a, b, 0.0f);
}

TEST (Sprite, CornersFollowTheQuadOriginInDrawingOrder)
{
    Sprite sprite;
    sprite.quadOrigin = { -2, 3 };
    sprite.setSize (10, 20);
    const std::array<float, 8> expected { -2, 3,  8, 3,  8, 23,  -2, 23 };
    EXPECT_EQ (sprite.getCorners(), expected);
}

TEST (Sprite, ScaleMovesPositionAndSizeOnly)
{
    Sprite sprite;
    sprite.setPosition (10, 20);
    sprite.setSize (30, 40);
    sprite.pivotOffset = { 3, 4 };
    sprite.quadOrigin = { 5, 6 };
    sprite.scale (2.0f);

    EXPECT_EQ (sprite.position, (Sprite::Vec2 { 20, 40 }));
    EXPECT_EQ (sprite.size, (Sprite::Vec2 { 60, 80 }));
    EXPECT_EQ (sprite.pivotOffset, (Sprite::Vec2 { 3, 4 }));
    EXPECT_EQ (sprite.quadOrigin, (Sprite::Vec2 { 5, 6 }));
    EXPECT_EQ (sprite.getTypeName(), "Sprite");
}

TEST (SpriteStream, DefaultSpriteWrites104BytesOfTheDefaults)
{
    const auto bytes = streamBytes (Sprite());
    ASSERT_EQ (bytes.size(), 104u);
    EXPECT_EQ (Sprite::streamSize (258), 104);

    for (size_t offset = 0; offset < 36; offset += 4)
        EXPECT_EQ (floatAt (bytes, offset), 0.0f) << offset;

    // colour then colour2, each as R, G, B, A integers.
    const int32_t colours[] = { 0, 0, 0, 255,  0, 0, 0, 255 };
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ (intAt (bytes, 36 + i * 4), colours[i]) << "colour value " << i;

    EXPECT_EQ (floatAt (bytes, 68), 1.0f);        // opacity
    for (size_t offset = 72; offset < 96; offset += 4)
        EXPECT_EQ (floatAt (bytes, offset), 0.0f) << offset;
    EXPECT_EQ (intAt (bytes, 96), 0);             // sheetIndex
    EXPECT_EQ (intAt (bytes, 100), 0);            // frameIndex

    // Floats go out as their bit patterns, little-endian.
    Sprite moved;
    moved.setPosition (1.0f, -2.0f);
    const auto movedBytes = streamBytes (moved);
    const uint8_t one[] = { 0x00, 0x00, 0x80, 0x3f }, minusTwo[] = { 0x00, 0x00, 0x00, 0xc0 };
    EXPECT_EQ (std::memcmp (movedBytes.data() + 8, one, 4), 0);
    EXPECT_EQ (std::memcmp (movedBytes.data() + 12, minusTwo, 4), 0);
}

TEST (SpriteStream, RoundTripKeepsEveryStreamedField)
{
    const auto original = makeBusySprite();
    const auto bytes = streamBytes (original);

    Sprite copy;
    copy.colour3 = { 1, 2, 3, 4 };
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    ASSERT_TRUE (copy.readFromStream (in, 258));
    EXPECT_TRUE (in.isExhausted());

    EXPECT_EQ (copy.pivotOffset, original.pivotOffset);
    EXPECT_EQ (copy.position, original.position);
    EXPECT_EQ (copy.rotation, original.rotation);
    EXPECT_EQ (copy.quadOrigin, original.quadOrigin);
    EXPECT_EQ (copy.size, original.size);
    EXPECT_EQ (copy.colour, original.colour);
    EXPECT_EQ (copy.colour2, original.colour2);
    EXPECT_EQ (copy.opacity, original.opacity);
    EXPECT_EQ (copy.getUserValue(), original.getUserValue());
    EXPECT_EQ (copy.userPoint.x, original.userPoint.x);
    EXPECT_EQ (copy.userPoint.y, original.userPoint.y);
    EXPECT_EQ (copy.options, original.options);
    EXPECT_EQ (copy.sheetIndex, original.sheetIndex);
    EXPECT_EQ (copy.frameIndex, original.frameIndex);

    // Not part of the stream form.
    EXPECT_EQ (copy.colour3, (Sprite::Colour { 1, 2, 3, 4 }));
}

TEST (SpriteStream, OlderLayoutsSkipTheGroupsTheyLack)
{
    struct Case { int version; bool colour2, sheetIndex, frameIndex; };
    const Case cases[] = {
        { 259, true,  true,  true },
        { 258, true,  true,  true },
        { 257, true,  true,  false },
        { 256, true,  false, false },
        { 255, false, false, false },
        { 0,   false, false, false },
    };

    const auto source = makeBusySprite();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.version);

        // The older layout: the same values with the missing groups left out.
        juce::MemoryOutputStream out;
        for (float v : { source.pivotOffset.x, source.pivotOffset.y, source.position.x, source.position.y,
                         source.rotation, source.quadOrigin.x, source.quadOrigin.y, source.size.x, source.size.y })
            out.writeFloat (v);
        for (int channel : { 1, 2, 3, 0 })
            out.writeInt (source.colour[(size_t) channel]);
        if (c.colour2)
            for (int channel : { 1, 2, 3, 0 })
                out.writeInt (source.colour2[(size_t) channel]);
        for (float v : { source.opacity, source.userValue, source.userPoint.x, source.userPoint.y,
                         source.options[0], source.options[1], source.options[2] })
            out.writeFloat (v);
        if (c.sheetIndex)
            out.writeInt (source.sheetIndex);
        if (c.frameIndex)
            out.writeInt (source.frameIndex);
        out.writeInt (0x5eed);   // whatever follows in the caller's stream

        ASSERT_EQ ((int) out.getDataSize() - 4, Sprite::streamSize (c.version));

        Sprite target;
        target.colour2 = { 9, 8, 7, 6 };
        target.sheetIndex = -7;
        target.frameIndex = -9;

        juce::MemoryInputStream in (out.getData(), out.getDataSize(), false);
        ASSERT_TRUE (target.readFromStream (in, c.version));
        EXPECT_EQ (in.readInt(), 0x5eed);   // stops right after its own layout

        EXPECT_EQ (target.size, source.size);
        EXPECT_EQ (target.colour, source.colour);
        EXPECT_EQ (target.options, source.options);
        const Sprite::Colour untouched { 9, 8, 7, 6 };
        EXPECT_EQ (target.colour2, c.colour2 ? source.colour2 : untouched);
        EXPECT_EQ (target.sheetIndex, c.sheetIndex ? source.sheetIndex : -7);
        EXPECT_EQ (target.frameIndex, c.frameIndex ? source.frameIndex : -9);
    }
}

TEST (SpriteStream, ColourIntegersKeepTheirLowByte)
{
    auto bytes = streamBytes (Sprite());
    const int32_t wide[] = { 0x1ff, -1, 256, 0x12345678 };   // R, G, B, A of colour
    for (size_t i = 0; i < 4; ++i)
    {
        const auto v = (uint32_t) wide[i];
        for (size_t b = 0; b < 4; ++b)
            bytes[36 + i * 4 + b] = (uint8_t) (v >> (8 * b));
    }

    Sprite sprite;
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    ASSERT_TRUE (sprite.readFromStream (in, 258));
    EXPECT_EQ (sprite.colour, (Sprite::Colour { 0x78, 0xff, 0xff, 0x00 }));   // A, R, G, B
}

TEST (SpriteStream, ShortStreamLeavesTheSpriteAsItWas)
{
    const auto bytes = streamBytes (makeBusySprite());

    for (size_t length : { (size_t) 0, (size_t) 3, (size_t) 52, (size_t) 103 })
    {
        Sprite sprite;
        sprite.setPosition (-1, -2);
        juce::MemoryInputStream in (bytes.data(), length, false);
        EXPECT_FALSE (sprite.readFromStream (in, 258)) << length;
        EXPECT_EQ (sprite.position, (Sprite::Vec2 { -1, -2 })) << length;
        EXPECT_EQ (sprite.frameIndex, 0) << length;
    }

    // The same bytes are a complete older layout.
    Sprite older;
    juce::MemoryInputStream in (bytes.data(), 96, false);
    EXPECT_TRUE (older.readFromStream (in, 256));
}
