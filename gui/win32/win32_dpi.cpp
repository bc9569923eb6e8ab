// The gadget host's DPI queries. The per-window and per-DPI calls came with later systems than
// the program runs on, so they are looked up by name, with the system-wide answers as fallback.
#include "gui/win32/win32_dpi.h"

#include "draw2d/win32/win32_window_support.h"

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Function> Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name))) : nullptr;
}

const wchar_t* const kLayoutDpiProperty = L"CapsaroLayoutDpi";

} // namespace

int32_t SystemDpi() {
    // Fixed for the process's life.
    static const int32_t dpi = [] {
        HDC screen = GetDC(nullptr);
        if (!screen) return kProgramDpi;
        const int32_t measured = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return measured > 0 ? measured : kProgramDpi;
    }();
    return dpi;
}

int32_t MonitorDpi(HWND window) {
    static const auto forWindow = User32Function<DpiForWindow>("GetDpiForWindow");
    const int32_t dpi = forWindow && window ? static_cast<int32_t>(forWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

void SetLayoutDpi(HWND topLevel, int32_t dpi) {
    SetWindowNumber(topLevel, kLayoutDpiProperty, dpi);
}

int32_t LayoutDpi(HWND window) {
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    const int32_t dpi = WindowNumber(root, kLayoutDpiProperty);
    return dpi > 0 ? dpi : SystemDpi();
}

RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int32_t dpi) {
    static const auto adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}
