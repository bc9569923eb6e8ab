// Software displays in Win32 windows: the presenter and the window host over the shared display
// windows (win32_display_window.h).
#include "draw2d/win32/win32_window_host.h"

#include "draw2d/soft/soft_driver.h"
#include "draw2d/win32/win32_display_window.h"
#include "draw2d/win32/win32_messages.h"
#include "draw2d/win32/win32_window_support.h"

#include <windows.h>

namespace {

// Shows frames in a window, stretched over it when the window carries a drawing DPI; destroys the
// window when it made it.
class Win32Presenter : public SoftPresenter {
public:
    explicit Win32Presenter(Win32Window window) : window_(std::move(window)) {}

    int32_t Width() const override { return MulDiv(window_.ClientRect().right, 96, Dpi()); }
    int32_t Height() const override { return MulDiv(window_.ClientRect().bottom, 96, Dpi()); }
    bool Lost() const override { return !window_.Alive(); }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        if (!window_.Alive()) return;
        shownWidth_ = width;
        shownHeight_ = height;
        BITMAPINFO info = TopDownBitmapInfo(pitch, height);
        HDC dc = GetDC(window_.Handle());
        const int32_t dpi = Dpi();
        if (dpi == 96) {
            SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                              static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS);
        } else {
            // Whole source pixels over the window's pixels: the picture grows, it is not smoothed.
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchDIBits(dc, 0, 0, MulDiv(width, dpi, 96), MulDiv(height, dpi, 96), 0, 0, width, height, pixels, &info,
                          DIB_RGB_COLORS, SRCCOPY);
        }
        ReleaseDC(window_.Handle(), dc);
        GdiFlush();
    }

    // Only the changed rectangles, row by row of the frame; the whole frame when the window was
    // exposed or resized since, is scaled, or belongs to another program (whose repaints we never see).
    void PresentChanged(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                        const std::vector<DrawRect>& changed) override {
        if (!window_.Alive()) return;
        const bool exposed = TakeDisplayWindowExposure(window_.Handle());
        if (exposed || !window_.Owned() || Dpi() != 96 || width != shownWidth_ || height != shownHeight_) {
            Present(pixels, width, height, pitch);
            return;
        }
        HDC dc = GetDC(window_.Handle());
        for (const DrawRect& rect : changed) {
            const int32_t w = rect.right - rect.left, h = rect.bottom - rect.top;
            if (w <= 0 || h <= 0) continue;
            // A bitmap of just the rectangle's rows: top-down rows need no upside-down source offsets.
            BITMAPINFO info = TopDownBitmapInfo(pitch, h);
            SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(w), static_cast<DWORD>(h), rect.left, 0, 0,
                              static_cast<UINT>(h), pixels + static_cast<size_t>(rect.top) * static_cast<size_t>(pitch),
                              &info, DIB_RGB_COLORS);
        }
        ReleaseDC(window_.Handle(), dc);
        GdiFlush();
    }

private:
    int32_t Dpi() const { return window_.Alive() ? Win32DrawingDpi(window_.Handle()) : 96; }

    Win32Window window_;
    // The size of the frame last shown whole.
    int32_t shownWidth_ = 0, shownHeight_ = 0;
};

class Win32WindowHost : public SoftWindowHost {
public:
    Win32WindowHost() { UseWin32MessagePump(); }

    std::vector<TGraphicsMode> DisplayModes() override { return Win32DisplayModes(); }

    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t) override {
        return std::make_unique<Win32Presenter>(OpenDisplayWindow(width, height, depth));
    }

    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override {
        HWND handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
        if (!IsWindow(handle)) return nullptr;
        return std::make_unique<Win32Presenter>(Win32Window(handle, false));
    }

    void SetPointerVisible(bool visible) override { SetWin32PointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { MoveWin32Pointer(x, y); }
};

} // namespace

DrawDriverPtr Win32SoftwareDriver() {
    return SoftwareDriver(std::make_shared<Win32WindowHost>());
}
