// The system's screen-saver-running flag: what the full-screen saver decides from what the system
// reports, and, on this system, that a flag another program set is left set.
#include "saver/running_lock.h"
#include "saver/system/win32/running_flag.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

bool FlagIsSet() {
    BOOL set = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &set, 0);
    return set != 0;
}

void SetFlag(bool on) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, on ? TRUE : FALSE, &previous, 0);
}

// Puts the session's flag back as it was, whatever the test did.
class RunningFlagTest : public ::testing::Test {
protected:
    void SetUp() override { before = FlagIsSet(); }
    void TearDown() override { SetFlag(before); }
    bool before = false;
};

} // namespace

TEST(DecideRunningFlag, AReportedSetFlagIsAnotherSaversAndStaysSet) {
    const RunningFlagClaim claim = DecideRunningFlag(true, true);
    EXPECT_TRUE(claim.anotherSaverRuns);
    EXPECT_FALSE(claim.clearAtEnd);
}

TEST(DecideRunningFlag, AReportedClearFlagIsOursToClear) {
    const RunningFlagClaim claim = DecideRunningFlag(false, std::nullopt);
    EXPECT_FALSE(claim.anotherSaverRuns);
    EXPECT_TRUE(claim.clearAtEnd);
}

// Where setting reports nothing, the saver runs; it clears the flag only if it was clear before.
TEST(DecideRunningFlag, UnreportedTheSaverRunsAndClearsOnlyWhatItSet) {
    EXPECT_FALSE(DecideRunningFlag(std::nullopt, true).anotherSaverRuns);
    EXPECT_FALSE(DecideRunningFlag(std::nullopt, true).clearAtEnd);
    EXPECT_TRUE(DecideRunningFlag(std::nullopt, false).clearAtEnd);
    EXPECT_TRUE(DecideRunningFlag(std::nullopt, std::nullopt).clearAtEnd);
}

TEST_F(RunningFlagTest, TheSaversLockSetsTheFlagAndClearsItAgain) {
    SetFlag(false);
    {
        const SaverRunningLock lock;
        ASSERT_TRUE(lock.Held());
        EXPECT_TRUE(FlagIsSet());
    }
    EXPECT_FALSE(FlagIsSet());
}

TEST_F(RunningFlagTest, AFlagAnotherProgramSetStaysSet) {
    SetFlag(true);
    {
        const SaverRunningLock lock;
        // This system says whether the flag was set: then the saver does not run at all; where it
        // says nothing, it runs. Either way the other program's flag is left set.
        EXPECT_TRUE(lock.Held() || lock.HeldElsewhere());
    }
    EXPECT_TRUE(FlagIsSet());
}
