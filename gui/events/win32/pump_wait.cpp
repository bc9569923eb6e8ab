// The pump's sleep on Windows: an event object that WakePump sets, and the thread's message queue
// once a window-system host has put in its wait.
#include "gui/events/pump_wait.h"
#include "gui/events/win32/pump_waiter.h"

#include "runtime/runtime_error.h"

#include <windows.h>

namespace {

// Owns the auto-reset event that wakes the wait.
class WakeEvent {
public:
    WakeEvent() : event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        if (!event_) RuntimeError("Cannot create the pump's wake event");
    }
    ~WakeEvent() { CloseHandle(event_); }
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    HANDLE Handle() const { return event_; }

private:
    HANDLE event_;
};

const WakeEvent& Wake() {
    static const WakeEvent wake;
    return wake;
}

void WaitForWakeEvent(void* wakeEvent, int timeoutMs) {
    WaitForSingleObject(wakeEvent, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
}

PumpWaiter waiter = WaitForWakeEvent;

} // namespace

void RaisePumpWake() {
    SetEvent(Wake().Handle());
}

void ClearPumpWake() {
    ResetEvent(Wake().Handle());
}

void WaitForPump(PumpFd* fds, size_t count, int timeout) {
    for (size_t i = 0; i < count; ++i)
        fds[i].revents = 0;
    waiter(Wake().Handle(), timeout);
}

void SetPumpWaiter(PumpWaiter wait) {
    waiter = wait ? wait : WaitForWakeEvent;
}
