// Software displays in Win32 windows: the window class, the presenters and the window host.
#include "draw2d/win32/win32_window_host.h"

#include "draw2d/soft/soft_driver.h"
#include "gui/events/win32/win32_input.h"

#include <windows.h>

#include <map>

namespace {

// The event source of each window of ours, by handle.
std::map<HWND, std::shared_ptr<TObject>>& Sources() {
    static std::map<HWND, std::shared_ptr<TObject>> sources;
    return sources;
}

bool pointerHidden = false;

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = Sources().find(window);
    if (found != Sources().end() && EmitWindowMessage(found->second, message, wParam, lParam)) {
        // A close request is the program's to act on; the window stays until the display goes.
        if (message == WM_CLOSE) return 0;
    }
    if (message == WM_SETCURSOR && pointerHidden && LOWORD(lParam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_NCDESTROY) Sources().erase(window);
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* DisplayClass() {
    static const wchar_t* name = [] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DisplayWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = L"CapsaroDisplay";
        RegisterClassW(&windowClass);
        return L"CapsaroDisplay";
    }();
    return name;
}

// Shows frames in a window; owns the window when it made it.
class Win32Presenter : public SoftPresenter {
public:
    Win32Presenter(HWND window, bool owned) : window_(window), owned_(owned) {}
    ~Win32Presenter() override {
        if (owned_ && IsWindow(window_)) DestroyWindow(window_);
    }
    Win32Presenter(const Win32Presenter&) = delete;
    Win32Presenter& operator=(const Win32Presenter&) = delete;

    int32_t Width() const override { return ClientSize().right; }
    int32_t Height() const override { return ClientSize().bottom; }
    bool Lost() const override { return !IsWindow(window_); }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        if (!IsWindow(window_)) return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = pitch;
        info.bmiHeader.biHeight = -height; // rows top down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC dc = GetDC(window_);
        SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS);
        ReleaseDC(window_, dc);
        GdiFlush();
    }

private:
    RECT ClientSize() const {
        RECT rect{0, 0, 0, 0};
        if (IsWindow(window_)) GetClientRect(window_, &rect);
        return rect;
    }

    HWND window_;
    bool owned_;
};

class Win32WindowHost : public SoftWindowHost {
public:
    Win32WindowHost() { UseWin32MessagePump(); }

    std::vector<TGraphicsMode> DisplayModes() override {
        HDC screen = GetDC(nullptr);
        const int32_t depth = GetDeviceCaps(screen, BITSPIXEL);
        const int32_t rate = GetDeviceCaps(screen, VREFRESH);
        ReleaseDC(nullptr, screen);
        return {
            TGraphicsMode{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), depth, rate > 1 ? rate : 60}};
    }

    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t) override {
        const bool fullScreen = depth > 0;
        const DWORD style = fullScreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        HWND window =
            CreateWindowExW(fullScreen ? WS_EX_TOPMOST : 0, DisplayClass(), L"Capsaro", style,
                            fullScreen ? 0 : CW_USEDEFAULT, fullScreen ? 0 : CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!window) throw DrawError("SetDisplayMode Failed result=" + std::to_string(GetLastError()));
        Sources()[window] = std::make_shared<TObject>();
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        return std::make_unique<Win32Presenter>(window, true);
    }

    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override {
        HWND handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
        if (!IsWindow(handle)) return nullptr;
        return std::make_unique<Win32Presenter>(handle, false);
    }

    void SetPointerVisible(bool visible) override {
        pointerHidden = !visible;
        // ShowCursor counts: step until the count is on the wanted side.
        if (visible)
            while (ShowCursor(TRUE) < 0) {
            }
        else
            while (ShowCursor(FALSE) >= 0) {
            }
    }

    void MovePointer(int32_t x, int32_t y) override { SetCursorPos(x, y); }
};

} // namespace

DrawDriverPtr Win32SoftwareDriver() {
    return SoftwareDriver(std::make_shared<Win32WindowHost>());
}
