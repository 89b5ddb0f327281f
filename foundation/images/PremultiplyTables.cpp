#include "PremultiplyTables.h"

#include "PixelMath.h"

#include <algorithm>
#include <array>

namespace
{
    using Table = std::array<uint8_t, 256 * 256>;

    template <typename Formula>
    Table build (Formula formula)
    {
        Table t {};
        for (int a = 0; a < 256; ++a)
            for (int c = 0; c < 256; ++c)
                t[(size_t) (a * 256 + c)] = (uint8_t) formula (a, c);
        return t;
    }
}

const uint8_t* PremultiplyTables::premultiply() noexcept
{
    static const Table table = build ([] (int a, int c) { return (int) ((float) c * ((float) a / 255.0f)); });
    return table.data();
}

const uint8_t* PremultiplyTables::unpremultiply() noexcept
{
    static const Table table = build ([] (int a, int c) { return a == 0 ? 0 : std::min (255, c * 255 / a); });
    return table.data();
}

const uint8_t* PremultiplyTables::premultiplyRounded() noexcept
{
    static const Table table = build ([] (int a, int c) { return PixelMath::div255Round (c * a); });
    return table.data();
}
