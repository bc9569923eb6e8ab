// Termination requests on Windows: Ctrl+C, Ctrl+Break and closing the console set the flag (the
// handler runs on a thread of the system's, so it only sets the flag and wakes the pump).
#include "runtime/termination.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> requested{false};
void (*wakeUp)() = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD) {
    requested = true;
    if (wakeUp) wakeUp();
    return TRUE;
}

} // namespace

void InstallTerminationSignals(void (*wake)()) {
    wakeUp = wake;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool TerminationRequested() {
    return requested;
}

void ClearTerminationRequest() {
    requested = false;
}
