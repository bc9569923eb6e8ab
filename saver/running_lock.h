// The screen-saver-running flag: a per-user lock held while the full-screen saver runs.
//
// On POSIX systems the lock is an flock on a file in $XDG_RUNTIME_DIR (else the temp folder, named
// with the user id); on Windows a named mutex of the session, beside the system's
// screen-saver-running flag (another saver that set that flag also keeps this one out where the
// system says so). The system drops the lock when the process ends, so a crashed saver never
// leaves it set.
#pragma once

#include <cstdint>
#include <string>

class SaverRunningLock {
public:
    // Takes the lock named `path` (DefaultPath() when empty). Held() tells whether it was taken.
    explicit SaverRunningLock(const std::string& path = "");
    ~SaverRunningLock();
    SaverRunningLock(const SaverRunningLock&) = delete;
    SaverRunningLock& operator=(const SaverRunningLock&) = delete;

    // True when this object holds the lock.
    bool Held() const { return handle_ != kNone; }
    // True when another process holds it (the saver must not start); false when the lock is ours
    // or could not be taken for any other reason, in which case the saver runs unguarded.
    bool HeldElsewhere() const { return heldElsewhere_; }

    static std::string DefaultPath();

private:
    static constexpr intptr_t kNone = -1;
    // The lock file's descriptor (POSIX) or the mutex's handle (Windows); kNone when not held.
    intptr_t handle_ = kNone;
    // The system's screen-saver-running flag was set by this lock and is cleared with it (Windows,
    // default name only).
    bool systemFlag_ = false;
    bool heldElsewhere_ = false;
};
