// The screen-saver-running flag on Windows: a named mutex of the session (the system's own flag
// does not say whether it was set before, and outlives a crashed saver), plus that system flag.
#include "saver/running_lock.h"

#include "runtime/win32/wide_text.h"

#include <windows.h>

std::string SaverRunningLock::DefaultPath() {
    return "Local\\CapsaroScreenSaverRunning";
}

SaverRunningLock::SaverRunningLock(const std::string& path) {
    std::string name = path.empty() ? DefaultPath() : path;
    // Mutex names may not hold backslashes past the namespace; tests pass file paths.
    for (size_t i = name.rfind("Local\\") == 0 ? 6 : 0; i < name.size(); ++i)
        if (name[i] == '\\' || name[i] == '/' || name[i] == ':') name[i] = '_';
    HANDLE mutex = CreateMutexW(nullptr, TRUE, WideText(name).c_str());
    if (!mutex) return;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        heldElsewhere_ = true;
        CloseHandle(mutex);
        return;
    }
    handle_ = reinterpret_cast<intptr_t>(mutex);
    // The system's own flag, for other programs that ask whether a screen saver runs.
    systemFlag_ = path.empty() && SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
}

SaverRunningLock::~SaverRunningLock() {
    if (handle_ == kNone) return;
    HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    if (systemFlag_) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}
