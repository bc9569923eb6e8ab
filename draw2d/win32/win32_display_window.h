// The Win32 windows every Windows driver draws into: one window class whose messages become events
// (draw2d/win32/win32_messages.h), full-screen topmost popups and captioned windows of it, the
// screen's mode and the pointer.
#pragma once

#include "draw2d/draw_driver.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// A window handle that destroys the window when it goes, if it made it.
class Win32Window {
public:
    Win32Window() = default;
    Win32Window(HWND window, bool owned) : window_(window), owned_(owned) {}
    ~Win32Window() { Reset(); }
    Win32Window(Win32Window&& other) noexcept : window_(other.window_), owned_(other.owned_) {
        other.window_ = nullptr;
    }
    Win32Window& operator=(Win32Window&& other) noexcept {
        if (this != &other) {
            Reset();
            window_ = other.window_;
            owned_ = other.owned_;
            other.window_ = nullptr;
        }
        return *this;
    }
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND Handle() const { return window_; }
    // The program made the window (its messages come to the display window procedure).
    bool Owned() const { return owned_; }
    bool Alive() const { return window_ && IsWindow(window_); }
    // The client area now; 0 x 0 once the window is gone.
    RECT ClientRect() const;

private:
    void Reset();
    HWND window_ = nullptr;
    bool owned_ = false;
};

// The virtual screen: the rectangle around every monitor, in screen coordinates. Its origin is
// the primary monitor's top-left corner unless a monitor lies left of or above the primary, and
// is then negative.
struct Win32ScreenArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};
Win32ScreenArea Win32VirtualScreen();

// A full-screen display window (depth > 0: a topmost popup of width x height at the virtual
// screen's origin, so that it covers every monitor) or a captioned one with a client area of that size (depth 0), shown
// and in front. Its input becomes events through the thread's message pump. Throws DrawError when it cannot be made.
Win32Window OpenDisplayWindow(int32_t width, int32_t height, int32_t depth);

// The screen's one mode: the virtual screen's size at the desktop's depth and rate.
std::vector<TGraphicsMode> Win32DisplayModes();

// The scale of what is drawn in a window on a scaled display: a display attached to a window
// that carries a DPI other than 96 measures its client area in 96-DPI units and is stretched
// over it, so its picture keeps its size on the screen. 0 takes the mark away again (a window
// must lose it before it is destroyed); a window without one reads 96.
void SetWin32DrawingDpi(HWND window, int32_t dpi);
int32_t Win32DrawingDpi(HWND window);

// Hides or shows the pointer over the display windows.
void SetWin32PointerVisible(bool visible);
// (x, y) in the full-screen display's coordinates, whose origin is the virtual screen's.
void MoveWin32Pointer(int32_t x, int32_t y);

// Whether the system asked the display window to repaint (part of it was exposed) since the last
// call; a presenter that shows only what changed then shows the whole frame.
bool TakeDisplayWindowExposure(HWND window);
