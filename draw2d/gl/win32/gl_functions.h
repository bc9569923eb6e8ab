// The GL entry points the OpenGL driver calls, as pointers: Windows' opengl32.dll exports only
// GL 1.1, so every one is loaded by name (LoadGlFunctions) once a context is current. The names
// are the GL functions' own, so the driver's code reads the same on every host.
#pragma once

// glcorearb.h would include windows.h for APIENTRY; the calling convention is all it needs.
#ifndef APIENTRY
#define APIENTRY __stdcall
#define CAPSARO_OWN_APIENTRY
#endif
#include <GL/glcorearb.h>
#ifdef CAPSARO_OWN_APIENTRY
#undef APIENTRY
#undef CAPSARO_OWN_APIENTRY
#endif

// X(pointer type, name) for each entry point the driver calls.
#define CAPSARO_GL_FUNCTIONS(X)                                                                                        \
    X(PFNGLACTIVETEXTUREPROC, glActiveTexture)                                                                         \
    X(PFNGLATTACHSHADERPROC, glAttachShader)                                                                           \
    X(PFNGLBINDBUFFERPROC, glBindBuffer)                                                                               \
    X(PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)                                                                     \
    X(PFNGLBINDSAMPLERPROC, glBindSampler)                                                                             \
    X(PFNGLBINDTEXTUREPROC, glBindTexture)                                                                             \
    X(PFNGLBINDVERTEXARRAYPROC, glBindVertexArray)                                                                     \
    X(PFNGLBLENDFUNCPROC, glBlendFunc)                                                                                 \
    X(PFNGLBUFFERDATAPROC, glBufferData)                                                                               \
    X(PFNGLCLEARPROC, glClear)                                                                                         \
    X(PFNGLCLEARCOLORPROC, glClearColor)                                                                               \
    X(PFNGLCLEARDEPTHPROC, glClearDepth)                                                                               \
    X(PFNGLCOMPILESHADERPROC, glCompileShader)                                                                         \
    X(PFNGLCREATEPROGRAMPROC, glCreateProgram)                                                                         \
    X(PFNGLCREATESHADERPROC, glCreateShader)                                                                           \
    X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers)                                                                         \
    X(PFNGLDELETEPROGRAMPROC, glDeleteProgram)                                                                         \
    X(PFNGLDELETESHADERPROC, glDeleteShader)                                                                           \
    X(PFNGLDELETETEXTURESPROC, glDeleteTextures)                                                                       \
    X(PFNGLDELETEVERTEXARRAYSPROC, glDeleteVertexArrays)                                                               \
    X(PFNGLDEPTHFUNCPROC, glDepthFunc)                                                                                 \
    X(PFNGLDEPTHMASKPROC, glDepthMask)                                                                                 \
    X(PFNGLDISABLEPROC, glDisable)                                                                                     \
    X(PFNGLDRAWELEMENTSPROC, glDrawElements)                                                                           \
    X(PFNGLENABLEPROC, glEnable)                                                                                       \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray)                                                     \
    X(PFNGLGENBUFFERSPROC, glGenBuffers)                                                                               \
    X(PFNGLGENSAMPLERSPROC, glGenSamplers)                                                                             \
    X(PFNGLGENTEXTURESPROC, glGenTextures)                                                                             \
    X(PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays)                                                                     \
    X(PFNGLGETERRORPROC, glGetError)                                                                                   \
    X(PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVPROC, glGetFramebufferAttachmentParameteriv)                             \
    X(PFNGLGETINTEGERVPROC, glGetIntegerv)                                                                             \
    X(PFNGLGETPROGRAMIVPROC, glGetProgramiv)                                                                           \
    X(PFNGLGETSHADERIVPROC, glGetShaderiv)                                                                             \
    X(PFNGLGETSTRINGPROC, glGetString)                                                                                 \
    X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation)                                                               \
    X(PFNGLLINKPROGRAMPROC, glLinkProgram)                                                                             \
    X(PFNGLPIXELSTOREIPROC, glPixelStorei)                                                                             \
    X(PFNGLREADBUFFERPROC, glReadBuffer)                                                                               \
    X(PFNGLREADPIXELSPROC, glReadPixels)                                                                               \
    X(PFNGLSAMPLERPARAMETERIPROC, glSamplerParameteri)                                                                 \
    X(PFNGLSCISSORPROC, glScissor)                                                                                     \
    X(PFNGLSHADERSOURCEPROC, glShaderSource)                                                                           \
    X(PFNGLTEXIMAGE3DPROC, glTexImage3D)                                                                               \
    X(PFNGLTEXPARAMETERIPROC, glTexParameteri)                                                                         \
    X(PFNGLTEXSUBIMAGE3DPROC, glTexSubImage3D)                                                                         \
    X(PFNGLUNIFORM1IPROC, glUniform1i)                                                                                 \
    X(PFNGLUNIFORM2FPROC, glUniform2f)                                                                                 \
    X(PFNGLUSEPROGRAMPROC, glUseProgram)                                                                               \
    X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)                                                             \
    X(PFNGLVIEWPORTPROC, glViewport)

#define CAPSARO_GL_DECLARE(type, name) extern type name;
CAPSARO_GL_FUNCTIONS(CAPSARO_GL_DECLARE)
#undef CAPSARO_GL_DECLARE

// Loads every entry point through the current context (the first call that finds them all; later
// calls answer at once); false when one is missing, so GL 3.3 cannot be used.
bool LoadGlFunctions();
