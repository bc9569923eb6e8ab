// Monitors that come and go while the full-screen show runs: the show follows them. The platform
// is asked at most every quarter second (it may be a round trip to the display server); when the
// monitors differ, the display is opened again over the new screen, each view whose monitor stays
// keeps its chillies, a new monitor's view gets chillies of the varieties on show, and a gone
// monitor's chillies go with it.
#pragma once

#include "saver/platform.h"
#include "saver/saver.h"

#include <cstdint>
#include <vector>

class MonitorWatch {
public:
    explicit MonitorWatch(std::vector<MonitorRect> monitors) : monitors_(std::move(monitors)) {}
    // True when the monitors differ from the last seen (then in `monitors`).
    bool Changed(std::vector<MonitorRect>& monitors);

    static constexpr int32_t kAskEveryMs = 250;

private:
    std::vector<MonitorRect> monitors_;
    bool asked_ = false;
    int32_t askedAt_ = 0;
};

// For each view of `before`, the index of the view of `after` with the same rectangle, or -1.
std::vector<int32_t> KeptViews(const std::vector<MonitorRect>& before, const std::vector<MonitorRect>& after);

// Shows the saver on the platform's screen and monitors as they are now: the views, the
// chillies, the desktop copy and the display follow them. False when no display could be opened.
bool ShowOnChangedMonitors(TSaver& saver, const std::vector<MonitorRect>& monitors);
