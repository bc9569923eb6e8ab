// The millisecond clock: a 32-bit count of milliseconds that wraps, used to seed the generator,
// pace frames and time animations.
#pragma once

#include <cstdint>

int32_t MillisecondClock();

// Clock arithmetic wraps at 32 bits, as the clock does: these two are correct across the wrap
// (plain int32_t arithmetic would overflow there, which C++ leaves undefined).
// Milliseconds from `earlier` to `later`.
inline int32_t ClockDifference(int32_t later, int32_t earlier) {
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}
// The clock value `milliseconds` after `clock`.
inline int32_t ClockAdd(int32_t clock, int32_t milliseconds) {
    return static_cast<int32_t>(static_cast<uint32_t>(clock) + static_cast<uint32_t>(milliseconds));
}

// Tests replace the clock with a function of their own; nullptr restores the real one.
using ClockSource = int32_t (*)();
void SetClockSource(ClockSource source);

// Sleeps on the real clock (not the test clock); negative or zero returns at once.
void SleepMilliseconds(int32_t milliseconds);
