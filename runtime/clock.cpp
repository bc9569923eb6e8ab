// The millisecond clock from the monotonic system clock.
#include "runtime/clock.h"

#include <ctime>

namespace {

ClockSource testSource = nullptr;

int32_t RealClock() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

} // namespace

int32_t MillisecondClock() {
    return testSource ? testSource() : RealClock();
}

void SetClockSource(ClockSource source) {
    testSource = source;
}

void SleepMilliseconds(int32_t milliseconds) {
    if (milliseconds <= 0) return;
    timespec span{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&span, &span) != 0) {
    }
}
