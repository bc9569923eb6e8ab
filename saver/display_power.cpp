// Asking the platform whether the display is off, with a wake-up timer while it is.
#include "saver/display_power.h"

#include "saver/platform.h"

#include "runtime/clock.h"

DisplayPowerWatch::~DisplayPowerWatch() {
    if (wake_) StopTimer(wake_);
}

bool DisplayPowerWatch::DisplayOff() {
    const int32_t now = MillisecondClock();
    if (asked_ && ClockDifference(now, askedAt_) < kAskEveryMs) return off_;
    asked_ = true;
    askedAt_ = now;
    off_ = Platform().DisplayOff();
    if (off_ && !wake_) {
        wake_ = CreateTimer(1000.0f / kAskEveryMs);
    } else if (!off_ && wake_) {
        StopTimer(wake_);
        wake_.reset();
    }
    return off_;
}
