#pragma once

/* The desktop OpenGL API with every entry point declared.

   Code that issues GL calls includes this instead of <GL/gl.h>: the functions are linked
   directly from the vendor-neutral libOpenGL (sx_platform links it), so no loader is needed,
   and the JUCE OpenGL module's own declarations never meet these in one translation unit.
*/
#ifndef GL_GLEXT_PROTOTYPES
 #define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
