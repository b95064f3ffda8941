// The core drawing with OpenGL.
#include <GL/gl.h>
