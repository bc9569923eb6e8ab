// Starting SDL's video lazily (at the first display window) without ever ending the process: the
// X11 video driver only, the non-fatal X error handler, and the SDL source added to the host pump.
#pragma once

// True when SDL video runs (started now or before); false when there is no X display.
bool StartSdlVideo();

// The application title shown on display windows.
constexpr const char* kDisplayTitle = "Capsaro";
