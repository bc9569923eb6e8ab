// Calibration and clock pacing of presented frames.
#include "draw2d/frame_pacing.h"

#include "runtime/clock.h"

void StartPacing(FramePacing& pacing, int32_t hertz, int32_t depth, bool canSync,
                 const std::function<void()>& timedFlip) {
    pacing.softPacing = hertz != 0;
    if (hertz != 0 && depth != 0 && canSync) {
        const int32_t expected = 1000 / hertz;
        const int32_t start = MillisecondClock();
        int onTime = 0;
        while (ClockDifference(MillisecondClock(), start) < 1000) {
            const int32_t before = MillisecondClock();
            timedFlip();
            const int32_t off = ClockDifference(MillisecondClock(), before) - expected;
            onTime = (off >= -1 && off <= 1) ? onTime + 1 : 0;
            if (onTime == 3) {
                pacing.softPacing = false;
                break;
            }
        }
    }
    pacing.hertz = hertz;
    pacing.period = hertz != 0 ? 1000 / hertz : 0;
    pacing.remainder = 1000 - pacing.period * hertz;
    pacing.accumulator = 0;
    pacing.deadline = MillisecondClock();
}

int32_t NextFrameWait(FramePacing& pacing) {
    pacing.deadline = ClockAdd(pacing.deadline, pacing.period);
    pacing.accumulator += pacing.remainder;
    if (pacing.accumulator >= pacing.hertz) {
        pacing.accumulator -= pacing.hertz;
        pacing.deadline = ClockAdd(pacing.deadline, 1);
    }
    const int32_t wait = ClockDifference(pacing.deadline, MillisecondClock());
    if (wait > 0) return wait;
    pacing.deadline = MillisecondClock();
    return 0;
}
