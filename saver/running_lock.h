// The screen-saver-running flag: a per-user lock held while the full-screen saver runs.
//
// The lock is an flock on a file in $XDG_RUNTIME_DIR (else the temp folder, named with the user
// id). The system drops it when the process ends, so a crashed saver never leaves it set.
#pragma once

#include <string>

class SaverRunningLock {
public:
    // Takes the lock at `path` (DefaultPath() when empty). Held() tells whether it was taken.
    explicit SaverRunningLock(const std::string& path = "");
    ~SaverRunningLock();
    SaverRunningLock(const SaverRunningLock&) = delete;
    SaverRunningLock& operator=(const SaverRunningLock&) = delete;

    // True when this object holds the lock.
    bool Held() const { return fd_ >= 0; }
    // True when another process holds it (the saver must not start); false when the lock is ours
    // or could not be taken for any other reason, in which case the saver runs unguarded.
    bool HeldElsewhere() const { return heldElsewhere_; }

    static std::string DefaultPath();

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};
