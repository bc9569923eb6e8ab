// Whether the full-screen show should draw: not while the system has switched the display off
// (drawing then only burns power). The platform is asked at most every quarter second, since
// asking may be a round trip to the display server; while the display is off a timer of that
// pace wakes the event wait, so the show notices the display coming back and the program's end.
#pragma once

#include "gui/events/timer.h"

#include <cstdint>
#include <memory>

class DisplayPowerWatch {
public:
    DisplayPowerWatch() = default;
    ~DisplayPowerWatch();
    DisplayPowerWatch(const DisplayPowerWatch&) = delete;
    DisplayPowerWatch& operator=(const DisplayPowerWatch&) = delete;

    // True while the display is off, as last asked.
    bool DisplayOff();

    static constexpr int32_t kAskEveryMs = 250;

private:
    bool off_ = false;
    bool asked_ = false;
    int32_t askedAt_ = 0;
    std::shared_ptr<TTimer> wake_;
};
