#pragma once

/** 4x4 matrix helpers for the sprite model matrix and the pass's projection.

    A matrix is 16 floats in column-major order, as glUniformMatrix4fv takes it untransposed:
    row r, column c is at index c * 4 + r, and a point is the column vector (x, y, z, 1).
    Every helper overwrites all 16 elements of out.
*/

/** The identity. */
void mat4Identity (float (&out)[16]) noexcept;

/** out = a x b. All of a and b is read before out is written, so out may be a or b. */
void mat4Multiply (float (&out)[16], const float (&a)[16], const float (&b)[16]) noexcept;

/** Rotation about the z axis: with y growing downwards (image rows), (x, y) maps to
    (x cos - y sin, x sin + y cos). */
void mat4RotationZ (float (&out)[16], float angle) noexcept;

/** The identity with (x, y, z) in the last column. */
void mat4Translation (float (&out)[16], float x, float y, float z) noexcept;

/** Orthographic projection of the box onto clip space, as glOrtho builds it. */
void mat4Ortho (float (&out)[16], float left, float right, float bottom, float top, float near, float far) noexcept;
