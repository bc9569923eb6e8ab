// The millisecond clock: a 32-bit count of milliseconds that wraps, used to seed the generator,
// pace frames and time animations.
#pragma once

#include <cstdint>

int32_t MillisecondClock();

// Milliseconds from `earlier` to `later`, correct across the 32-bit wrap.
inline int32_t ClockDifference(int32_t later, int32_t earlier) {
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

// Tests replace the clock with a function of their own; nullptr restores the real one.
using ClockSource = int32_t (*)();
void SetClockSource(ClockSource source);

// Sleeps on the real clock (not the test clock); negative or zero returns at once.
void SleepMilliseconds(int32_t milliseconds);
