// The show following monitors that come and go: which views stay, what their chillies become,
// and the display opened again over the new screen.
#include "tests/support/saver_globals.h"
#include "tests/support/wait_until.h"

#include "saver/chilli.h"
#include "saver/monitor_change.h"
#include "saver/motion_mode.h"
#include "saver/platform.h"
#include "saver/saver.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"
#include "saver/startup.h"

#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "runtime/random.h"

#include <gtest/gtest.h>

namespace {

using Views = std::vector<MonitorRect>;

class MonitorChangeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedPictures(); }

    void SetUp() override {
        auto platform = std::make_unique<HeadlessPlatform>();
        headless = platform.get();
        SetPlatform(std::move(platform));
        SelectDriver(SoftwareDriver(), BackBufferFlag);
        ResetSaverSettings(&saver);
        VarietyPoolSize = 100;
        CurrentMotionMode = 1;
        ChilliList.clear();
        saver.ChilliCount = 10;
    }
    void TearDown() override {
        EndTestShow(saver);
        SetPlatform(nullptr);
    }

    // The show as RunSaver starts it on the headless platform's screen and monitors.
    void StartShow() {
        saver.ViewWidth = headless->caps.width;
        saver.ViewHeight = headless->caps.height;
        ShowViews = ViewsForMonitors(headless->monitors, saver.ViewWidth, saver.ViewHeight);
        ASSERT_TRUE(OpenDisplay(saver.ViewWidth, saver.ViewHeight, 32, -1, 0));
        SeedRandom(5);
        saver.CreateChillies(saver.ChilliCount);
    }

    static std::vector<TChilli> ChilliesOfView(int32_t view) {
        std::vector<TChilli> chillies;
        for (const TChilli& chilli : ChilliList)
            if (chilli.View == view) chillies.push_back(chilli);
        return chillies;
    }

    HeadlessPlatform* headless = nullptr;
    TSaver saver;
};

} // namespace

TEST(KeptViews, ViewsThatStayAreFoundByTheirRectangle) {
    const Views before = {{0, 0, 600, 400}, {600, 0, 400, 300}, {1000, 0, 200, 200}};
    EXPECT_EQ(KeptViews(before, before), (std::vector<int32_t>{0, 1, 2}));
    // The middle one gone: the last moves up a place.
    EXPECT_EQ(KeptViews(before, {{0, 0, 600, 400}, {1000, 0, 200, 200}}), (std::vector<int32_t>{0, -1, 1}));
    // One that moved, or changed size, is another view.
    EXPECT_EQ(KeptViews(before, {{0, 0, 600, 400}, {600, 0, 400, 301}, {1001, 0, 200, 200}}),
              (std::vector<int32_t>{0, -1, -1}));
    EXPECT_EQ(KeptViews({}, before), std::vector<int32_t>{});
    EXPECT_EQ(KeptViews(before, {}), (std::vector<int32_t>{-1, -1, -1}));
}

TEST_F(MonitorChangeTest, AMonitorThatComesGetsAViewWithChilliesOfItsOwnAndTheOthersKeepTheirs) {
    headless->caps = {600, 400, 32, 1, 60};
    headless->monitors = {{0, 0, 600, 400}};
    StartShow();
    ASSERT_TRUE(ShowViews.empty()); // one monitor: one view over the whole display
    const std::vector<TChilli> first = ChilliesOfView(0);
    ASSERT_EQ(first.size(), 10u);

    headless->caps = {1000, 400, 32, 1, 60};
    headless->monitors = {{0, 0, 600, 400}, {600, 0, 400, 300}};
    ASSERT_TRUE(ShowOnChangedMonitors(saver, headless->monitors));
    EXPECT_EQ(ShowViews, headless->monitors);
    EXPECT_EQ(DisplayWidth(), 1000);
    EXPECT_EQ(DisplayHeight(), 400);
    EXPECT_EQ(saver.ViewWidth, 1000);
    const std::vector<TChilli> kept = ChilliesOfView(0);
    ASSERT_EQ(kept.size(), first.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i].X, first[i].X);
        EXPECT_EQ(kept[i].Y, first[i].Y);
    }
    const std::vector<TChilli> added = ChilliesOfView(1);
    ASSERT_EQ(added.size(), 10u);
    for (const TChilli& chilli : added) {
        EXPECT_GE(chilli.X, 0);
        EXPECT_LE(chilli.X, 400);
        EXPECT_LE(chilli.Y, 300);
    }
}

TEST_F(MonitorChangeTest, AMonitorThatGoesTakesItsChilliesWithIt) {
    headless->caps = {1000, 400, 32, 1, 60};
    headless->monitors = {{0, 0, 600, 400}, {600, 0, 400, 300}};
    StartShow();
    const std::vector<TChilli> second = ChilliesOfView(1);
    ASSERT_EQ(ChilliList.size(), 20u);

    // The first goes; the second keeps its place in the display.
    headless->monitors = {{600, 0, 400, 300}};
    ASSERT_TRUE(ShowOnChangedMonitors(saver, headless->monitors));
    ASSERT_EQ(ShowViews, headless->monitors);
    ASSERT_EQ(ChilliList.size(), 10u);
    for (size_t i = 0; i < ChilliList.size(); ++i) {
        EXPECT_EQ(ChilliList[i].View, 0);
        EXPECT_EQ(ChilliList[i].X, second[i].X);
    }
}

TEST_F(MonitorChangeTest, TheWatchTellsOfAChangeOnceAndOnlyAfterItHappened) {
    headless->caps = {600, 400, 32, 1, 60};
    headless->monitors = {{0, 0, 600, 400}};
    MonitorWatch watch(headless->monitors);
    Views seen;
    EXPECT_FALSE(watch.Changed(seen));
    headless->monitors = {{0, 0, 300, 400}, {300, 0, 300, 400}};
    EXPECT_TRUE(WaitUntil([&] { return watch.Changed(seen); }, kLivenessLimit));
    EXPECT_EQ(seen, headless->monitors);
    // Asked again well after the last time: nothing new.
    std::this_thread::sleep_for(std::chrono::milliseconds(MonitorWatch::kAskEveryMs + 50));
    EXPECT_FALSE(watch.Changed(seen));
}

TEST_F(MonitorChangeTest, NoScreenAnyMoreOpensNothing) {
    headless->caps = {600, 400, 32, 1, 60};
    headless->monitors = {{0, 0, 600, 400}};
    StartShow();
    headless->caps = {};
    headless->monitors = {};
    EXPECT_FALSE(ShowOnChangedMonitors(saver, headless->monitors));
}
