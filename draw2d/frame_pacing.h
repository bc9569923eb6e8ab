// Frame pacing: vertical-blank pacing when the display keeps time itself, else a clock that
// spreads 1000 ms over `hertz` frames per second without carrying debt.
#pragma once

#include <cstdint>
#include <functional>

struct FramePacing {
    bool softPacing = false;
    int32_t hertz = 0;
    int32_t period = 0;    // 1000 div hertz (0 when hertz is 0)
    int32_t remainder = 0; // 1000 - period * hertz
    int32_t accumulator = 0;
    int32_t deadline = 0; // a MillisecondClock value
};

// Sets up pacing for a display just opened. A full-screen display (depth != 0) with a rate is
// calibrated: `timedFlip` presents one frame synced to the vertical blank and is timed on the
// millisecond clock, for at most one second; three on-time flips in a row (within 1 ms of the
// period) turn clock pacing off. `canSync` false means the display cannot wait for the vertical
// blank at all, so no flip could ever be on time and the calibration second is skipped.
void StartPacing(FramePacing& pacing, int32_t hertz, int32_t depth, bool canSync,
                 const std::function<void()>& timedFlip);

// Advances the deadline by one frame and returns how many milliseconds to wait before presenting
// (0 when the frame is already late, in which case the deadline catches up with the clock).
int32_t NextFrameWait(FramePacing& pacing);
