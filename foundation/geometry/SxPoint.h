#pragma once

/** Point record: position, a strength weight and three further floats that travel with it.

    The layout (six 32-bit floats in this order) is stored verbatim in point-list blocks.
*/
struct SxPoint
{
    float x = 0.0f;
    float y = 0.0f;
    float weight = 1.0f;  // a dab placed here has its strength multiplied by this
    float aux1 = 0.0f;
    float aux2 = 0.0f;
    float aux3 = 0.0f;

    bool operator== (const SxPoint&) const = default;
};

static_assert (sizeof (SxPoint) == 6 * sizeof (float), "SxPoint is stored as six packed floats");
