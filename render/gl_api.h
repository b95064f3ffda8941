// The OpenGL declarations of the renderer. The fixed-function pipeline it
// draws with is the compatibility profile's; buffer objects (OpenGL 1.5) are
// exported by the Linux OpenGL library, so no loader is needed.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES
#endif
#include <GL/gl.h>
#include <GL/glext.h>
