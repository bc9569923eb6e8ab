// The screen-saver-running flag: held for the run, refused to a second process, dropped on death.
#include "saver/running_lock.h"

#include "tests/support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The lock file inside a folder of the test's own.
struct LockFolder {
    TempFolder folder{"lock"};
    std::string Path() const { return (folder / "lock").string(); }
};

// Starts a child that holds the lock until killed; returns its pid once it holds it.
pid_t ChildHoldingLock(const std::string& path) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        SaverRunningLock lock(path);
        const char held = lock.Held() ? 'y' : 'n';
        if (write(ready[1], &held, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char held = 0;
    if (read(ready[0], &held, 1) != 1 || held != 'y') return -1;
    close(ready[0]);
    close(ready[1]);
    return child;
}

} // namespace

TEST(SaverRunningLock, SecondHolderInAnotherProcessIsRefused) {
    const LockFolder folder;
    const std::string path = folder.Path();
    const pid_t child = ChildHoldingLock(path);
    ASSERT_GT(child, 0);
    {
        SaverRunningLock second(path);
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(second.HeldElsewhere());
    }
    // A holder that dies (even by a signal) leaves the flag free.
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    SaverRunningLock after(path);
    EXPECT_TRUE(after.Held());
    EXPECT_FALSE(after.HeldElsewhere());
}

TEST(SaverRunningLock, ReleasedWhenTheHolderEnds) {
    const LockFolder folder;
    const std::string path = folder.Path();
    {
        SaverRunningLock first(path);
        ASSERT_TRUE(first.Held());
    }
    SaverRunningLock again(path);
    EXPECT_TRUE(again.Held());
}

TEST(SaverRunningLock, UnusablePathIsNeitherHeldNorHeldElsewhere) {
    SaverRunningLock lock("/nonexistent-folder-for-capsaro/lock");
    EXPECT_FALSE(lock.Held());
    EXPECT_FALSE(lock.HeldElsewhere());
}
