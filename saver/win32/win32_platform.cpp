// Windows platform services: the virtual screen's size and its monitors, one BitBlt of the
// virtual screen into a DIB section, whether the display is switched off, window rectangles, and
// the preview's window (a child of the host's; under Wine, which shows nothing a
// process draws into another process's window, an owned popup kept over the host's client area
// when the host is another process's).
#include "saver/win32/win32_platform.h"

#include "draw2d/win32/win32_display_window.h"
#include "draw2d/win32/win32_window_support.h"
#include "gui/win32/win32_dpi.h"
#include "saver/win32/win32_display_power.h"
#include "saver/win32/win32_monitors.h"

#include <windows.h>

#include <memory>

namespace {

// The screen's device context, released when it goes.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Handle() const { return dc_; }

private:
    HDC dc_;
};

// A memory device context holding a 32-bit top-down DIB section of width x height; both deleted
// when it goes. Bits() is null when either could not be made.
class DibSection {
public:
    DibSection(HDC compatible, int32_t width, int32_t height) : dc_(CreateCompatibleDC(compatible)) {
        if (!dc_) return;
        const BITMAPINFO info = TopDownBitmapInfo(width, height);
        bitmap_ = CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_)
            previous_ = SelectObject(dc_, bitmap_);
        else
            bits_ = nullptr;
    }
    ~DibSection() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    HDC Dc() const { return dc_; }
    const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

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
        windowClass.lpszClassName = L"CapsaroPreview";
        return RegisterWindowClass(windowClass);
    }();
    return name;
}

class Win32Platform : public SaverPlatform {
public:
    // The virtual screen, which the full-screen display covers, at the desktop's depth and rate.
    bool Screen(ScreenCaps& caps) override {
        const ScreenDc screen;
        if (!screen.Handle()) return false;
        const Win32ScreenArea area = Win32VirtualScreen();
        caps.width = area.width;
        caps.height = area.height;
        caps.depth = GetDeviceCaps(screen.Handle(), BITSPIXEL);
        caps.planes = GetDeviceCaps(screen.Handle(), PLANES);
        // 0 and 1 mean "the hardware's default rate": pace at 60, as where no rate is known.
        const int32_t rate = GetDeviceCaps(screen.Handle(), VREFRESH);
        caps.refresh = rate > 1 ? rate : 60;
        return caps.width > 0 && caps.height > 0;
    }

    std::vector<MonitorRect> Monitors() override {
        const Win32ScreenArea area = Win32VirtualScreen();
        return DisplayMonitors(SystemMonitors(), area.x, area.y);
    }

    // The watch starts with the first question, on the thread that pumps the show's messages.
    bool DisplayOff() override {
        if (!powerWatch_) powerWatch_ = std::make_unique<DisplayStateWindow>();
        return powerWatch_->Off();
    }

    // The virtual screen, its origin at the pixmap's (0, 0).
    PixmapPtr CaptureDesktop() override {
        const Win32ScreenArea area = Win32VirtualScreen();
        if (area.width <= 0 || area.height <= 0) return nullptr;
        PixmapPtr pixmap = CreatePixmap(area.width, area.height, FormatRGBA8888, 4);
        const ScreenDc screen;
        if (!pixmap || !screen.Handle()) return nullptr;
        const DibSection copy(screen.Handle(), area.width, area.height);
        if (!copy.Bits()) return nullptr;
        // One copy of the whole screen; reading it pixel by pixel from the screen takes minutes.
        const bool copied =
            BitBlt(copy.Dc(), 0, 0, area.width, area.height, screen.Handle(), area.x, area.y, SRCCOPY) != 0;
        GdiFlush();
        if (!copied) return nullptr;
        const uint32_t* source = copy.Bits();
        for (int32_t y = 0; y < area.height; ++y)
            for (int32_t x = 0; x < area.width; ++x)
                WritePixel(*pixmap, x, y, 0xFF000000u | source[static_cast<size_t>(y) * area.width + x]);
        return pixmap;
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
        // In the dialog's own 96-DPI units, in which it is placed: centring it on the window then
        // lands where it should on a scaled display too.
        const int32_t dpi = SystemDpi();
        rect = {ToUnits(outer.left, dpi), ToUnits(outer.top, dpi), ToUnits(outer.right, dpi),
                ToUnits(outer.bottom, dpi)};
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

private:
    std::unique_ptr<DisplayStateWindow> powerWatch_;
};

} // namespace

std::unique_ptr<SaverPlatform> MakeWin32Platform() {
    return std::make_unique<Win32Platform>();
}
