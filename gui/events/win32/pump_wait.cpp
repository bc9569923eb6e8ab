// The pump's sleep on Windows: the thread's message queue and an event object that WakePump sets.
#include "gui/events/pump_wait.h"

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
    const HANDLE wake = Wake().Handle();
    // Messages already in the queue count too (MWMO_INPUTAVAILABLE), not only ones that arrive.
    MsgWaitForMultipleObjectsEx(1, &wake, timeout < 0 ? INFINITE : static_cast<DWORD>(timeout), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}
