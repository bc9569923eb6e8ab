// Windows platform services: GetDeviceCaps, one BitBlt of the screen into a DIB section, window
// rectangles, and the preview's window (a child of the host's; under Wine, which shows nothing a
// process draws into another process's window, an owned popup kept over the host's client area
// when the host is another process's).
#include "saver/win32/win32_platform.h"

#include <windows.h>

namespace {

HWND Handle(uint64_t window) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool OfThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

// The preview popup under Wine follows the host's client area; a timer of its own moves it.
constexpr UINT_PTR kFollowTimer = 1;
const wchar_t* const kHostProperty = L"CapsaroHost";

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kFollowTimer) {
        HWND host = static_cast<HWND>(GetPropW(window, kHostProperty));
        if (!IsWindow(host)) {
            DestroyWindow(window);
            return 0;
        }
        POINT origin{0, 0};
        ClientToScreen(host, &origin);
        RECT now;
        GetWindowRect(window, &now);
        if (now.left != origin.x || now.top != origin.y)
            SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_NCDESTROY) RemovePropW(window, kHostProperty);
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* PreviewClass() {
    static const wchar_t* name = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = PreviewWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"CapsaroPreview";
        RegisterClassW(&windowClass);
        return L"CapsaroPreview";
    }();
    return name;
}

class Win32Platform : public SaverPlatform {
public:
    bool Screen(ScreenCaps& caps) override {
        HDC screen = GetDC(nullptr);
        if (!screen) return false;
        caps.width = GetDeviceCaps(screen, HORZRES);
        caps.height = GetDeviceCaps(screen, VERTRES);
        caps.depth = GetDeviceCaps(screen, BITSPIXEL);
        caps.planes = GetDeviceCaps(screen, PLANES);
        // 0 and 1 mean "the hardware's default rate": pace at 60, as where no rate is known.
        const int32_t rate = GetDeviceCaps(screen, VREFRESH);
        caps.refresh = rate > 1 ? rate : 60;
        ReleaseDC(nullptr, screen);
        return caps.width > 0 && caps.height > 0;
    }

    PixmapPtr CaptureDesktop() override {
        const int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        PixmapPtr pixmap = CreatePixmap(width, height, FormatRGBA8888, 4);
        if (!pixmap) return nullptr;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bool copied = false;
        if (section && bits) {
            HGDIOBJ previous = SelectObject(memory, section);
            // One copy of the whole screen; reading it pixel by pixel from the screen takes minutes.
            copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
            GdiFlush();
            if (copied) {
                const auto* source = static_cast<const uint32_t*>(bits);
                for (int32_t y = 0; y < height; ++y)
                    for (int32_t x = 0; x < width; ++x)
                        WritePixel(*pixmap, x, y, 0xFF000000u | source[static_cast<size_t>(y) * width + x]);
            }
            SelectObject(memory, previous);
        }
        if (section) DeleteObject(section);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return copied ? pixmap : nullptr;
    }

    bool ClientRect(uint64_t window, TRect& rect) override {
        RECT client;
        if (!IsWindow(Handle(window)) || !GetClientRect(Handle(window), &client)) return false;
        rect = {0, 0, client.right, client.bottom};
        return true;
    }

    bool WindowRect(uint64_t window, TRect& rect) override {
        RECT outer;
        if (!IsWindow(Handle(window)) || !GetWindowRect(Handle(window), &outer)) return false;
        rect = {outer.left, outer.top, outer.right, outer.bottom};
        return true;
    }

    uint64_t CreateChildWindow(uint64_t parent, int32_t width, int32_t height, const char*) override {
        HWND host = Handle(parent);
        if (!IsWindow(host)) return 0;
        HWND window = nullptr;
        // Wine shows what a process draws into its own child windows, not into another process's.
        if (UnderWine() && !OfThisProcess(host)) {
            POINT origin{0, 0};
            ClientToScreen(host, &origin);
            window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, PreviewClass(), L"Capsaro Preview",
                                     WS_POPUP | WS_VISIBLE, origin.x, origin.y, width, height,
                                     GetAncestor(host, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
            if (window) {
                SetPropW(window, kHostProperty, host);
                SetTimer(window, kFollowTimer, 10, nullptr);
            }
        } else {
            window = CreateWindowExW(0, PreviewClass(), L"Capsaro Preview", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                                     0, width, height, host, nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        return reinterpret_cast<uintptr_t>(window);
    }

    uint64_t RootWindowId() override { return reinterpret_cast<uintptr_t>(GetDesktopWindow()); }
    PixmapPtr CaptureWindowScreenshot(uint64_t) override { return nullptr; }
};

} // namespace

std::unique_ptr<SaverPlatform> MakeWin32Platform() {
    return std::make_unique<Win32Platform>();
}
