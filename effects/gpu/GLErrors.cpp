#include "GLErrors.h"

#include "OpenGLHeaders.h"

uint32_t checkGLError()
{
    return glGetError();
}
