// Win32 input translation: keys, buttons, moves, the wheel and close requests become events; the
// pump source dispatches every waiting message to its window.
#include "draw2d/win32/win32_messages.h"

#include "gui/events/event.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "gui/events/win32/pump_waiter.h"

#include <windowsx.h>

namespace {

int32_t Mods() {
    int32_t mods = 0;
    if (GetKeyState(VK_SHIFT) < 0) mods += ModShift;
    if (GetKeyState(VK_CONTROL) < 0) mods += ModControl;
    if (GetKeyState(VK_MENU) < 0) mods += ModAlt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) mods += ModSuper;
    return mods;
}

// Held buttons as a move's data: 1 left, 2 right, 4 middle.
int32_t HeldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) ? 1 : 0) + ((wParam & MK_RBUTTON) ? 2 : 0) + ((wParam & MK_MBUTTON) ? 4 : 0);
}

void Emit(const std::shared_ptr<TObject>& source, int32_t id, int32_t data, LPARAM lParam, bool atPointer) {
    const int32_t x = atPointer ? GET_X_LPARAM(lParam) : 0;
    const int32_t y = atPointer ? GET_Y_LPARAM(lParam) : 0;
    EmitEvent(MakeEvent(id, source, data, Mods(), x, y));
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

bool EmitWindowMessage(const std::shared_ptr<TObject>& source, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Bit 30: the key was already down, so this is the keyboard's repeat.
        Emit(source, (lParam & (1 << 30)) ? EventKeyRepeat : EventKeyDown, static_cast<int32_t>(wParam), 0, false);
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        Emit(source, EventKeyUp, static_cast<int32_t>(wParam), 0, false);
        return true;
    case WM_CHAR:
        Emit(source, EventKeyChar, static_cast<int32_t>(wParam), 0, false);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Emit(source, EventMouseDown, message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 3, lParam, true);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Emit(source, EventMouseUp, message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 3, lParam, true);
        return true;
    case WM_MOUSEMOVE:
        Emit(source, EventMouseMove, HeldButtons(wParam), lParam, true);
        return true;
    case WM_MOUSEWHEEL:
        // Notches, up positive; the wheel message's position is on the screen, not the window.
        EmitEvent(MakeEvent(EventMouseWheel, source, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, Mods()));
        return true;
    case WM_CLOSE:
        EmitEvent(MakeEvent(EventWindowClose, source));
        return true;
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
