// The switch rule, the host-window-handle rule and the motion mode of a run.
#include "saver/dispatch.h"
#include "saver/saver.h"

#include "runtime/random.h"

#include <gtest/gtest.h>
#include <set>

TEST(SwitchOf, LowerCasesOnlyAToZAndComparesTwoCharacters) {
    EXPECT_EQ(SwitchOf("/S"), "/s");
    EXPECT_EQ(SwitchOf("-Save"), "-s");
    EXPECT_EQ(SwitchOf("/sx"), "/s");
    EXPECT_EQ(SwitchOf("s"), "s ");
    EXPECT_EQ(SwitchOf(""), "  ");
    EXPECT_EQ(SwitchOf("\xC4\xD6"), "\xC4\xD6");
}

TEST(HostWindowHandle, FollowsAsSeparateArgumentOrAfterTheSwitch) {
    EXPECT_EQ(HostWindowHandle({"capsaro", "/p", "450"}), 450);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/p"}), 0);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/c:450"}), 450);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/c 450"}), 450);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/cx450"}), 450);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/c:"}), 0);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/p", "  450x"}), 450);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/p", "$1C2"}), 0x1C2);
    EXPECT_EQ(HostWindowHandle({"capsaro", "/p", "window"}), 0);
    EXPECT_EQ(HostWindowHandle({"capsaro"}), 0);
}

TEST(ResolveMotionMode, StoredModeWinsElseOneToFourAtRandom) {
    MotionMode = 3;
    ResolveMotionMode();
    EXPECT_EQ(CurrentMotionMode, 3);
    MotionMode = 9;
    ResolveMotionMode();
    EXPECT_EQ(CurrentMotionMode, 9);
    MotionMode = 0;
    std::set<int32_t> seen;
    SeedRandom(2024);
    for (int i = 0; i < 200; ++i) {
        const int32_t before = RandomSeedValue();
        ResolveMotionMode();
        EXPECT_NE(RandomSeedValue(), before);
        seen.insert(CurrentMotionMode);
    }
    EXPECT_EQ(seen, (std::set<int32_t>{1, 2, 3, 4}));
}
