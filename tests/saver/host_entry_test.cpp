// Picking the host of a program that holds several: CAPSARO_HOST, the mode asked for, and which
// window systems can be reached.
#include "saver/host_entry.h"

#include <gtest/gtest.h>

namespace {

bool waylandReachable = false;
bool xReachable = false;

void Fill(SaverHosts&) {}

const HostEntry kWayland = {"wayland", [] { return waylandReachable; }, false, Fill};
const HostEntry kX11 = {"x11", [] { return xReachable; }, true, Fill};
const std::vector<const HostEntry*> kEntries = {&kWayland, &kX11};

const char* Picked(const char* forced, const std::vector<std::string>& arguments) {
    const HostEntry* entry = PickHostEntry(kEntries, forced, arguments);
    return entry ? entry->name : "none";
}

} // namespace

TEST(ShowsInAWindow, TheDialogThePreviewAndNamedWindowsButNotTheFullScreenShow) {
    EXPECT_TRUE(ShowsInAWindow({"capsaro"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "/c"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "/C:1234"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "/p", "77"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "-l", "77"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "--root"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "-root"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "--count", "5", "--window-id", "0x400001"}));
    EXPECT_TRUE(ShowsInAWindow({"capsaro", "--window-id=0x400001"}));
    EXPECT_FALSE(ShowsInAWindow({"capsaro", "/s"}));
    EXPECT_FALSE(ShowsInAWindow({"capsaro", "/s", "--count", "50"}));
    EXPECT_FALSE(ShowsInAWindow({"capsaro", "--render", "frames", "/s"}));
}

TEST(PickHostEntry, TheFullScreenShowTakesTheFirstReachableHost) {
    waylandReachable = true, xReachable = true;
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "/s"}), "wayland");
    waylandReachable = false;
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "/s"}), "x11");
    // Nothing reachable: the last host, whose platform says what is missing.
    xReachable = false;
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "/s"}), "x11");
}

TEST(PickHostEntry, WindowModesTakeAHostWithWindowsWhereOneIsReachable) {
    waylandReachable = true, xReachable = true;
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "/c"}), "x11");
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "/p", "5"}), "x11");
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "--root"}), "x11");
    // Without an X display the dialog and the preview fall to the host that is there.
    xReachable = false;
    EXPECT_STREQ(Picked(nullptr, {"capsaro"}), "wayland");
    EXPECT_STREQ(Picked(nullptr, {"capsaro", "/p", "5"}), "wayland");
}

TEST(PickHostEntry, CapsaroHostForcesEitherAndNamesNoOther) {
    waylandReachable = false, xReachable = true;
    EXPECT_STREQ(Picked("wayland", {"capsaro", "/s"}), "wayland");
    EXPECT_STREQ(Picked("wayland", {"capsaro", "/c"}), "wayland");
    waylandReachable = true, xReachable = false;
    EXPECT_STREQ(Picked("x11", {"capsaro", "/s"}), "x11");
    EXPECT_STREQ(Picked("X11", {"capsaro", "/s"}), "none");
    EXPECT_STREQ(Picked("beos", {"capsaro", "/s"}), "none");
    // Empty is unset.
    EXPECT_STREQ(Picked("", {"capsaro", "/s"}), "wayland");
    EXPECT_EQ(PickHostEntry({}, nullptr, {"capsaro"}), nullptr);
}
