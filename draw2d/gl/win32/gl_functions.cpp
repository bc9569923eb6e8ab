// Loading the driver's GL entry points: wglGetProcAddress answers for what the context adds
// beyond GL 1.1; opengl32.dll's own exports answer for GL 1.1.
#include "draw2d/gl/win32/gl_functions.h"

#include <windows.h>

#define CAPSARO_GL_DEFINE(type, name) type name = nullptr;
CAPSARO_GL_FUNCTIONS(CAPSARO_GL_DEFINE)
#undef CAPSARO_GL_DEFINE

namespace {

// Null for names the context does not have. wglGetProcAddress may give small values instead of
// null for a missing name on some drivers.
void (*FindGlFunction(const char* name))() {
    PROC found = wglGetProcAddress(name);
    const auto value = reinterpret_cast<intptr_t>(found);
    if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1) {
        static HMODULE library = GetModuleHandleW(L"opengl32.dll");
        found = library ? GetProcAddress(library, name) : nullptr;
    }
    // void (*)() converts to and from any function pointer type without a warning.
    return reinterpret_cast<void (*)()>(found);
}

} // namespace

bool LoadGlFunctions() {
    static bool loaded = false;
    if (loaded) return true;
    bool complete = true;
#define CAPSARO_GL_LOAD(type, name)                                                                                    \
    name = reinterpret_cast<type>(FindGlFunction(#name));                                                              \
    complete = complete && name != nullptr;
    CAPSARO_GL_FUNCTIONS(CAPSARO_GL_LOAD)
#undef CAPSARO_GL_LOAD
    loaded = complete;
    return complete;
}
