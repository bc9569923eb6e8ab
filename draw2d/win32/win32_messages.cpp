// Win32 input translation: keys, characters, buttons, moves, the wheel, the pointer entering and
// leaving, activation and close requests become events; the pump source dispatches every waiting
// message to its window.
#include "draw2d/win32/win32_messages.h"

#include "gui/events/event.h"
#include "gui/events/input_rules.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "gui/events/win32/pump_waiter.h"

#include <windowsx.h>

#include <set>

namespace {

int32_t Mods() {
    int32_t mods = 0;
    if (GetKeyState(VK_SHIFT) < 0) mods += ModShift;
    if (GetKeyState(VK_CONTROL) < 0) mods += ModControl;
    if (GetKeyState(VK_MENU) < 0) mods += ModAlt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) mods += ModSuper;
    return mods;
}

// The key's code; Shift, Control and Alt by side. Shift's side is in its scan code (bits 16..23),
// Control's and Alt's in the extended-key bit (24), which the right-hand keys set.
int32_t KeyCode(WPARAM wParam, LPARAM lParam) {
    const auto key = static_cast<int32_t>(wParam);
    if (key == KeyShift) {
        const auto scanCode = static_cast<UINT>((lParam >> 16) & 0xFF);
        return SidedModifierKey(key, MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK_EX) == VK_RSHIFT);
    }
    return SidedModifierKey(key, (lParam & (1 << 24)) != 0);
}

int32_t MoveData(WPARAM wParam) {
    return MouseMoveData({(wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0, (wParam & MK_MBUTTON) != 0});
}

void Emit(const std::shared_ptr<TObject>& source, int32_t id, int32_t data, LPARAM lParam, bool atPointer) {
    const int32_t x = atPointer ? GET_X_LPARAM(lParam) : 0;
    const int32_t y = atPointer ? GET_Y_LPARAM(lParam) : 0;
    EmitEvent(MakeEvent(id, source, data, Mods(), x, y));
}

// The windows the pointer is in; the system reports its leaving each (TrackMouseEvent).
std::set<HWND>& PointerInside() {
    static std::set<HWND> windows;
    return windows;
}

// The pointer's first move in a window is its entering.
void TrackPointer(HWND window, const std::shared_ptr<TObject>& source, LPARAM lParam) {
    if (!PointerInside().insert(window).second) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    TrackMouseEvent(&track);
    EmitEvent(MakeEvent(EventMouseEnter, source, 0, 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
}

void PointerLeft(HWND window, const std::shared_ptr<TObject>& source) {
    PointerInside().erase(window);
    POINT pointer{0, 0};
    GetCursorPos(&pointer);
    ScreenToClient(window, &pointer);
    EmitEvent(MakeEvent(EventMouseLeave, source, 0, 0, pointer.x, pointer.y));
}

int32_t ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return MouseLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return MouseRight;
    default:
        return MouseMiddle;
    }
}

MessageFilter messageFilter = nullptr;

// Sleeps until the wake event is set or the thread has messages; messages already in the queue
// count too (MWMO_INPUTAVAILABLE), not only ones that arrive.
void WaitForWakeOrMessages(void* wakeEvent, int timeoutMs) {
    HANDLE wake = wakeEvent;
    MsgWaitForMultipleObjectsEx(1, &wake, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

class Win32MessagePump : public PumpSource {
public:
    void Dispatch() override {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                EmitEvent(MakeEvent(EventAppTerminate));
                continue;
            }
            if (messageFilter && messageFilter(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The pump always wakes for this thread's messages; only waiting ones need saying.
    int PrepareWait(std::vector<PumpFd>&) override { return GetQueueStatus(QS_ALLINPUT) != 0 ? 0 : -1; }
};

} // namespace

bool EmitWindowMessage(HWND window, const std::shared_ptr<TObject>& source, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Bit 30: the key was already down, so this is the keyboard's repeat.
        Emit(source, (lParam & (1 << 30)) ? EventKeyRepeat : EventKeyDown, KeyCode(wParam, lParam), 0, false);
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        Emit(source, EventKeyUp, KeyCode(wParam, lParam), 0, false);
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
        EmitEvent(MakeEvent(EventKeyChar, source, static_cast<int32_t>(wParam)));
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The window keeps the mouse while the button is held, also beyond its edges.
        SetCapture(window);
        Emit(source, EventMouseDown, ButtonOf(message), lParam, true);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        ReleaseCapture();
        Emit(source, EventMouseUp, ButtonOf(message), lParam, true);
        return true;
    case WM_MOUSEMOVE:
        TrackPointer(window, source, lParam);
        Emit(source, EventMouseMove, MoveData(wParam), lParam, true);
        return true;
    case WM_MOUSELEAVE:
        PointerLeft(window, source);
        return true;
    case WM_MOUSEWHEEL:
        // Notches, up positive; the wheel message's position is on the screen, not the window.
        EmitEvent(MakeEvent(EventMouseWheel, source, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, Mods()));
        return true;
    case WM_ACTIVATEAPP:
        // The application's activation belongs to no window.
        EmitEvent(MakeEvent(wParam ? EventAppResume : EventAppSuspend));
        return true;
    case WM_CLOSE:
        // A display window asked to close: the application is (gadget windows handle their own).
        EmitEvent(MakeEvent(EventAppTerminate, source));
        return true;
    case WM_NCDESTROY:
        PointerInside().erase(window);
        return false;
    default:
        return false;
    }
}

void UseWin32MessagePump() {
    static const bool added = [] {
        SetPumpWaiter(WaitForWakeOrMessages);
        AddPumpSource(std::make_shared<Win32MessagePump>());
        return true;
    }();
    (void)added;
}

void SetMessageFilter(MessageFilter filter) {
    messageFilter = filter;
}
