// The Win32 gadget host's scale: the program lays gadgets out in 96-DPI units, the host places
// them in the pixels of the monitor each top-level window shows on (the process is per-monitor
// DPI aware, so the system no longer stretches its windows).
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t kProgramDpi = 96;

// Units to pixels at a DPI and back, rounded to the nearest.
inline int32_t ToPixels(int32_t units, int32_t dpi) {
    return MulDiv(units, dpi, kProgramDpi);
}
inline int32_t ToUnits(int32_t pixels, int32_t dpi) {
    return MulDiv(pixels, kProgramDpi, dpi);
}

// The system's DPI: the scale of the desktop as a whole, by which top-level windows are placed.
int32_t SystemDpi();
// The DPI of the monitor a window shows on; the system's where the system cannot tell per window.
int32_t MonitorDpi(HWND window);

// The DPI a top-level window's layout is scaled by, kept on the window: set when it is made and
// when it moves to a monitor of another scale. Any window inside it reads its top-level window's;
// a window without one reads the system's. 0 takes it away (before the window is destroyed).
void SetLayoutDpi(HWND topLevel, int32_t dpi);
int32_t LayoutDpi(HWND window);

// The frame of a window of these styles around `client` at a DPI.
RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int32_t dpi);
