// Views from monitors, and monitor layouts from text.
#include "saver/show_views.h"

#include <algorithm>
#include <cstdlib>
#include <string>

std::vector<MonitorRect> ShowViews;

std::vector<MonitorRect> ViewsForMonitors(const std::vector<MonitorRect>& monitors, int32_t width, int32_t height) {
    std::vector<MonitorRect> views;
    for (const MonitorRect& monitor : monitors) {
        const int64_t left = std::max<int64_t>(monitor.x, 0);
        const int64_t top = std::max<int64_t>(monitor.y, 0);
        const int64_t right = std::min<int64_t>(static_cast<int64_t>(monitor.x) + monitor.width, width);
        const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(monitor.y) + monitor.height, height);
        if (right <= left || bottom <= top) continue;
        const MonitorRect view{static_cast<int32_t>(left), static_cast<int32_t>(top),
                               static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)};
        if (std::find(views.begin(), views.end(), view) == views.end()) views.push_back(view);
    }
    if (views.size() > 1)
        std::stable_sort(views.begin() + 1, views.end(),
                         [](const MonitorRect& a, const MonitorRect& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    const MonitorRect whole{0, 0, width, height};
    if (views.size() == 1 && views[0] == whole) views.clear();
    return views;
}

size_t ShowViewCount() {
    return ShowViews.empty() ? 1 : ShowViews.size();
}

void ShowViewSize(size_t index, int32_t viewWidth, int32_t viewHeight, int32_t& width, int32_t& height) {
    if (index < ShowViews.size()) {
        width = ShowViews[index].width;
        height = ShowViews[index].height;
    } else {
        width = viewWidth;
        height = viewHeight;
    }
}

namespace {

// A whole number of at most seven digits from text[at] on (after a sign where `withSign` is set);
// false when there is none or it is longer.
bool ReadNumber(const std::string& text, size_t& at, bool withSign, int64_t& value) {
    const size_t start = at;
    if (withSign && at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const size_t digits = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - digits < 7)
        ++at;
    if (at == digits || (at < text.size() && text[at] >= '0' && text[at] <= '9')) return false;
    value = std::strtoll(text.substr(start, at - start).c_str(), nullptr, 10);
    return true;
}

} // namespace

bool ParseMonitorLayout(const std::string& text, int32_t maxSide, std::vector<MonitorRect>& monitors, int32_t& width,
                        int32_t& height) {
    std::vector<MonitorRect> parsed;
    int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    size_t at = 0;
    while (true) {
        int64_t w = 0, h = 0, x = 0, y = 0;
        if (!ReadNumber(text, at, false, w) || at >= text.size() || text[at++] != 'x') return false;
        if (!ReadNumber(text, at, false, h)) return false;
        // Each offset begins with its sign: "+X+Y", "-X+Y", …
        for (int64_t* offset : {&x, &y})
            if (at >= text.size() || (text[at] != '+' && text[at] != '-') || !ReadNumber(text, at, true, *offset))
                return false;
        if (w < 1 || h < 1 || w > maxSide || h > maxSide) return false;
        parsed.push_back(
            {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(w), static_cast<int32_t>(h)});
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x + w), bottom = std::max(bottom, y + h);
        if (at == text.size()) break;
        if (text[at++] != ',') return false;
    }
    if (right - left > maxSide || bottom - top > maxSide) return false;
    for (MonitorRect& monitor : parsed) {
        monitor.x -= static_cast<int32_t>(left);
        monitor.y -= static_cast<int32_t>(top);
    }
    monitors = parsed;
    width = static_cast<int32_t>(right - left);
    height = static_cast<int32_t>(bottom - top);
    return true;
}
