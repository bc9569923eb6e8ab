// The display power watch: a hidden top-level window (a message-only window would miss the
// system's broadcasts) registered for GUID_CONSOLE_DISPLAY_STATE, whose data is 0 when the
// display is off, 1 when it is on and 2 when it is dimmed (still showing the screen).
#include "saver/win32/win32_display_power.h"

#include "draw2d/win32/win32_window_support.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE, spelled out: MinGW declares it without defining it.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD kDisplayStateOff = 0;
const wchar_t* const kStateProperty = L"CapsaroDisplayOff";

LRESULT CALLBACK PowerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE && lParam) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
        auto* off = static_cast<bool*>(GetPropW(window, kStateProperty));
        if (off && IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) && setting->DataLength >= sizeof(DWORD)) {
            DWORD state = 0;
            CopyMemory(&state, setting->Data, sizeof state);
            *off = state == kDisplayStateOff;
        }
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemovePropW(window, kStateProperty);
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* PowerWindowClass() {
    static const wchar_t* name = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = PowerWindowProc;
        windowClass.lpszClassName = L"CapsaroDisplayPower";
        return RegisterWindowClass(windowClass);
    }();
    return name;
}

} // namespace

DisplayStateWindow::DisplayStateWindow() {
    // Never shown: it only receives messages.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, PowerWindowClass(), L"Capsaro display power", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return;
    window_ = Win32Window(window, true);
    SetPropW(window, kStateProperty, &off_);
    // The system answers the registration at once with the display's state now.
    registration_ = std::make_unique<Registration>(
        RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE));
}
