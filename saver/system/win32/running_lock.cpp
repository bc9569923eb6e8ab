// The screen-saver-running flag on Windows: a named mutex of the session, which the system drops
// with a crashed saver, plus the system's own flag (saver/system/win32/running_flag.h).
#include "saver/running_lock.h"
#include "saver/system/win32/running_flag.h"

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
    // The system's own flag, for other programs that ask whether a screen saver runs; a lock of
    // another name (the tests') leaves it alone.
    if (path.empty()) {
        const RunningFlagClaim claim = ClaimRunningFlag();
        if (claim.anotherSaverRuns) {
            heldElsewhere_ = true;
            ReleaseMutex(mutex);
            CloseHandle(mutex);
            return;
        }
        systemFlag_ = claim.clearAtEnd;
    }
    handle_ = reinterpret_cast<intptr_t>(mutex);
}

SaverRunningLock::~SaverRunningLock() {
    if (handle_ == kNone) return;
    HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    if (systemFlag_) ClearRunningFlag();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}
