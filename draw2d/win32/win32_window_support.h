// What every Win32 window of the program is made with: a window class registered for this module,
// small numbers kept on a window itself (as a window property), so they go with the window, and
// the bitmap header its frames are shown through.
#pragma once

#include <windows.h>

#include <cstdint>

// Registers the class described (its hInstance set to this module's) and returns its name. Call it
// once per class, from a function-local static.
const wchar_t* RegisterWindowClass(WNDCLASSW windowClass);

// Keeps `value` on the window under `property`; 0 or less takes it away.
void SetWindowNumber(HWND window, const wchar_t* property, int32_t value);
// The value kept on the window under `property`; 0 when there is none.
int32_t WindowNumber(HWND window, const wchar_t* property);

// The header of a 32-bit bitmap `width` x `height` pixels whose rows run top down, as frames are kept.
BITMAPINFO TopDownBitmapInfo(int32_t width, int32_t height);
