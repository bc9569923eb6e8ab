// The display window class and its window procedure, shared by the software and the OpenGL
// drivers: input goes through EmitWindowMessage, WM_SETCURSOR hides the pointer on request.
#include "draw2d/win32/win32_display_window.h"

#include "draw2d/win32/win32_messages.h"
#include "draw2d/win32/win32_window_support.h"

#include <map>
#include <memory>
#include <string>

namespace {

// The event source of each window of ours, by handle.
std::map<HWND, std::shared_ptr<TObject>>& Sources() {
    static std::map<HWND, std::shared_ptr<TObject>> sources;
    return sources;
}

bool pointerHidden = false;

const wchar_t* const kExposedProperty = L"CapsaroExposed";

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = Sources().find(window);
    if (found != Sources().end() && EmitWindowMessage(window, found->second, message, wParam, lParam)) {
        // A close request is the program's to act on; the window stays until the display goes.
        if (message == WM_CLOSE) return 0;
    }
    if (message == WM_SETCURSOR && pointerHidden && LOWORD(lParam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
    }
    if (message == WM_ERASEBKGND) return 1;
    // The default handling validates the area; the next frame repaints it.
    if (message == WM_PAINT) SetWindowNumber(window, kExposedProperty, 1);
    if (message == WM_NCDESTROY) Sources().erase(window);
    return DefWindowProcW(window, message, wParam, lParam);
}

// CS_OWNDC keeps one device context per window, which a GL context's pixel format needs.
const wchar_t* DisplayClass() {
    static const wchar_t* name = [] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DisplayWindowProc;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = L"CapsaroDisplay";
        return RegisterWindowClass(windowClass);
    }();
    return name;
}

} // namespace

bool TakeDisplayWindowExposure(HWND window) {
    if (WindowNumber(window, kExposedProperty) == 0) return false;
    SetWindowNumber(window, kExposedProperty, 0);
    return true;
}

RECT Win32Window::ClientRect() const {
    RECT rect{0, 0, 0, 0};
    if (Alive()) GetClientRect(window_, &rect);
    return rect;
}

void Win32Window::Reset() {
    if (owned_ && window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
}

Win32ScreenArea Win32VirtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Win32Window OpenDisplayWindow(int32_t width, int32_t height, int32_t depth) {
    UseWin32MessagePump();
    const bool fullScreen = depth > 0;
    // A GL context must not draw over children or siblings.
    const DWORD style = (fullScreen ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const Win32ScreenArea screen = Win32VirtualScreen();
    HWND window = CreateWindowExW(fullScreen ? WS_EX_TOPMOST : 0, DisplayClass(), L"Capsaro", style,
                                  fullScreen ? screen.x : CW_USEDEFAULT, fullScreen ? screen.y : CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) throw DrawError("SetDisplayMode Failed result=" + std::to_string(GetLastError()));
    Sources()[window] = std::make_shared<TObject>();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return Win32Window(window, true);
}

std::vector<TGraphicsMode> Win32DisplayModes() {
    HDC screen = GetDC(nullptr);
    const int32_t depth = GetDeviceCaps(screen, BITSPIXEL);
    const int32_t rate = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    const Win32ScreenArea area = Win32VirtualScreen();
    return {TGraphicsMode{area.width, area.height, depth, rate > 1 ? rate : 60}};
}

namespace {
const wchar_t* const kDrawingDpiProperty = L"CapsaroDrawingDpi";
} // namespace

void SetWin32DrawingDpi(HWND window, int32_t dpi) {
    SetWindowNumber(window, kDrawingDpiProperty, dpi);
}

int32_t Win32DrawingDpi(HWND window) {
    const int32_t dpi = WindowNumber(window, kDrawingDpiProperty);
    return dpi > 0 ? dpi : 96;
}

void SetWin32PointerVisible(bool visible) {
    pointerHidden = !visible;
    // ShowCursor counts: step until the count is on the wanted side.
    if (visible)
        while (ShowCursor(TRUE) < 0) {
        }
    else
        while (ShowCursor(FALSE) >= 0) {
        }
}

void MoveWin32Pointer(int32_t x, int32_t y) {
    const Win32ScreenArea screen = Win32VirtualScreen();
    SetCursorPos(screen.x + x, screen.y + y);
}
