// The millisecond clock from the system's clock, replaceable by tests.
#include "runtime/clock.h"

#include "runtime/system.h"

namespace {

ClockSource testSource = nullptr;

} // namespace

int32_t MillisecondClock() {
    return testSource ? testSource() : SystemMilliseconds();
}

void SetClockSource(ClockSource source) {
    testSource = source;
}

void SleepMilliseconds(int32_t milliseconds) {
    if (milliseconds <= 0) return;
    SystemSleep(milliseconds);
}
