#pragma once

/** Rectangle record of four floats; right and bottom are the last column and row inside.

    The unset value (50000, 50000, -50000, -50000) is the start from which a bounding
    box grows; all four fields 0 count as unset as well (see isRectUnset).
*/
struct RectBounds
{
    float left = 50000.0f;
    float top = 50000.0f;
    float right = -50000.0f;
    float bottom = -50000.0f;

    static constexpr float unsetMin = 50000.0f;
    static constexpr float unsetMax = -50000.0f;

    static constexpr RectBounds unset() noexcept { return {}; }

    bool operator== (const RectBounds&) const = default;
};
