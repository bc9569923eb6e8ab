// Window classes, numbers kept on windows, and the bitmap header of frames.
#include "draw2d/win32/win32_window_support.h"

const wchar_t* RegisterWindowClass(WNDCLASSW windowClass) {
    windowClass.hInstance = GetModuleHandleW(nullptr);
    RegisterClassW(&windowClass);
    return windowClass.lpszClassName;
}

void SetWindowNumber(HWND window, const wchar_t* property, int32_t value) {
    if (!window) return;
    if (value > 0)
        SetPropW(window, property, reinterpret_cast<HANDLE>(static_cast<intptr_t>(value)));
    else
        RemovePropW(window, property);
}

int32_t WindowNumber(HWND window, const wchar_t* property) {
    return window ? static_cast<int32_t>(reinterpret_cast<intptr_t>(GetPropW(window, property))) : 0;
}

BITMAPINFO TopDownBitmapInfo(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
