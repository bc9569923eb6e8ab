// Following the monitors while the show runs.
#include "saver/monitor_change.h"

#include "saver/catalogue.h"
#include "saver/chilli.h"
#include "saver/full_screen.h"
#include "saver/show_views.h"

#include "draw2d/graphics.h"
#include "runtime/clock.h"

#include <algorithm>

bool MonitorWatch::Changed(std::vector<MonitorRect>& monitors) {
    const int32_t now = MillisecondClock();
    if (asked_ && ClockDifference(now, askedAt_) < kAskEveryMs) return false;
    asked_ = true;
    askedAt_ = now;
    std::vector<MonitorRect> current = Platform().Monitors();
    if (current == monitors_) return false;
    monitors_ = current;
    monitors = std::move(current);
    return true;
}

std::vector<int32_t> KeptViews(const std::vector<MonitorRect>& before, const std::vector<MonitorRect>& after) {
    std::vector<int32_t> kept;
    for (const MonitorRect& view : before) {
        const auto found = std::find(after.begin(), after.end(), view);
        kept.push_back(found != after.end() ? static_cast<int32_t>(found - after.begin()) : -1);
    }
    return kept;
}

namespace {

// The views as rectangles, the one view over the whole display included.
std::vector<MonitorRect> ViewRects(const std::vector<MonitorRect>& views, int32_t width, int32_t height) {
    return views.empty() ? std::vector<MonitorRect>{{0, 0, width, height}} : views;
}

} // namespace

bool ShowOnChangedMonitors(TSaver& saver, const std::vector<MonitorRect>& monitors) {
    ScreenCaps caps;
    if (!Platform().Screen(caps)) return false;
    const std::vector<MonitorRect> before = ViewRects(ShowViews, saver.ViewWidth, saver.ViewHeight);
    std::vector<MonitorRect> views = ViewsForMonitors(monitors, caps.width, caps.height);
    const std::vector<MonitorRect> after = ViewRects(views, caps.width, caps.height);
    const std::vector<int32_t> kept = KeptViews(before, after);

    // The chillies of a view that stays move to its new index; the others go.
    std::vector<bool> hasChillies(after.size(), false);
    auto& chillies = ChilliList;
    chillies.erase(std::remove_if(chillies.begin(), chillies.end(),
                                  [&](TChilli& chilli) {
                                      const auto old = static_cast<size_t>(chilli.View);
                                      const int32_t index = old < kept.size() ? kept[old] : -1;
                                      if (index < 0) return true;
                                      chilli.View = index;
                                      hasChillies[static_cast<size_t>(index)] = true;
                                      return false;
                                  }),
                   chillies.end());
    saver.ViewWidth = caps.width;
    saver.ViewHeight = caps.height;
    ShowViews = std::move(views);
    for (size_t view = 0; view < after.size(); ++view)
        if (!hasChillies[view]) CreateViewChillies(saver, saver.ChilliCount, view);

    GrabDesktop();
    const int32_t rate = caps.refresh < 60 ? -1 : caps.refresh;
    if (!OpenDisplay(caps.width, caps.height, std::max(caps.depth, 16), rate, 0)) return false;
    HidePointer();
    return true;
}
