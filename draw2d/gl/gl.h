// The GL header of the driver: the core 3.3 entry points it calls. On Windows they are pointers
// loaded once a context exists (win32/gl_functions.h); elsewhere the system's GL library resolves
// them.
#pragma once

#ifdef _WIN32
#include "draw2d/gl/win32/gl_functions.h"
#else
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#endif
