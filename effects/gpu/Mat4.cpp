#include "Mat4.h"

#include <algorithm>
#include <cmath>
#include <iterator>

void mat4Identity (float (&out)[16]) noexcept
{
    std::fill (std::begin (out), std::end (out), 0.0f);
    out[0] = out[5] = out[10] = out[15] = 1.0f;
}

void mat4Multiply (float (&out)[16], const float (&a)[16], const float (&b)[16]) noexcept
{
    float product[16];

    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
        {
            float sum = 0.0f;

            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[column * 4 + k];

            product[column * 4 + row] = sum;
        }

    std::copy (std::begin (product), std::end (product), std::begin (out));
}

void mat4RotationZ (float (&out)[16], float angle) noexcept
{
    mat4Identity (out);
    const float c = std::cos (angle), s = std::sin (angle);
    out[0] = c;
    out[1] = s;
    out[4] = -s;
    out[5] = c;
}

void mat4Translation (float (&out)[16], float x, float y, float z) noexcept
{
    mat4Identity (out);
    out[12] = x;
    out[13] = y;
    out[14] = z;
}

void mat4Ortho (float (&out)[16], float left, float right, float bottom, float top, float near, float far) noexcept
{
    std::fill (std::begin (out), std::end (out), 0.0f);
    out[0] = 2.0f / (right - left);
    out[5] = 2.0f / (top - bottom);
    out[10] = -2.0f / (far - near);
    out[12] = -(right + left) / (right - left);
    out[13] = -(top + bottom) / (top - bottom);
    out[14] = -(far + near) / (far - near);
    out[15] = 1.0f;
}
