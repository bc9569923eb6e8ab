// Prints what the saver's Windows platform measures: "screen WIDTH HEIGHT", then one
// "monitor X Y WIDTH HEIGHT" line per monitor in display coordinates, the primary first.
#include "saver/win32/win32_platform.h"

#include <cstdio>

int main() {
    const auto platform = MakeWin32Platform();
    ScreenCaps caps;
    if (!platform->Screen(caps)) return 1;
    std::printf("screen %d %d\n", caps.width, caps.height);
    for (const MonitorRect& m : platform->Monitors())
        std::printf("monitor %d %d %d %d\n", m.x, m.y, m.width, m.height);
    return 0;
}
