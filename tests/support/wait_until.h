// Polling with a deadline: the one loop the tests use to wait for something another thread,
// process or server does.
#pragma once

#include <chrono>
#include <thread>

// How long a test waits for a process, a thread or a server to do what it should: a liveness bound
// that a loaded machine, the sanitizer build or Wine stays far inside, never a speed target (how
// fast things happen is measured in bench/).
constexpr std::chrono::milliseconds kLivenessLimit{20000};

// Calls `done` until it returns true (then true) or `limit` has passed (then false), sleeping
// `step` between calls. `done` is called at least once, and once more at the deadline.
template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds limit,
               std::chrono::milliseconds step = std::chrono::milliseconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(step);
    }
}
