// Starting SDL's video lazily (at the first display window) without ever ending the process: the
// X11 video driver only, a non-fatal X error handler, and the SDL source added to the host pump.
#pragma once

#include <cstdint>

// True when SDL video runs (started now or before); false when there is no X display.
bool StartSdlVideo();

// Installs the X error handler that records errors instead of ending the process (Xlib's default
// handler exits on the first BadWindow or BadDrawable). Idempotent.
void InstallXErrorHandler();
// The serial count of X errors seen so far; a change tells a caller an error arrived meanwhile.
uint64_t XErrorCount();

// The application title shown on display windows.
constexpr const char* kDisplayTitle = "Capsaro";
