#pragma once

#include <cstdint>

/** Returns and clears OpenGL's oldest error flag (glGetError). The renderer calls it after
    groups of GL calls only to leave a clean error state; the shared context must be current.
*/
uint32_t checkGLError();
