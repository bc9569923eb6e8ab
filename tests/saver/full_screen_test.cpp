// The full-screen saver's rules without a window system: which events end it, screenshot names,
// the refresh-rate rule, a measured (CAPSARO_FPS) run, and a preview without a host window.
#include "saver/chilli.h"
#include "saver/full_screen.h"
#include "saver/platform.h"
#include "saver/saver.h"
#include "saver/startup.h"
#include "tests/support/temp_folder.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "gui/events/event.h"
#include "gui/events/hooks.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "gui/events/timer.h"
#include "runtime/program.h"
#include "runtime/random.h"
#include "runtime/termination.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(EventEndsSaver, PressesAndCloseRequestsEndIt) {
    for (int32_t id : {EventKeyDown, EventMouseDown, EventAppTerminate, EventWindowClose})
        EXPECT_TRUE(EventEndsSaver(id, 0, 0));
    for (int32_t id : {0, EventKeyUp, EventKeyRepeat, EventKeyChar, EventMouseUp, EventMouseWheel, EventAppSuspend,
                       EventAppResume, EventTimerTick})
        EXPECT_FALSE(EventEndsSaver(id, 0, 0)) << id;
}

TEST(EventEndsSaver, PointerMovesOfOnePixelCreepButTwoEndIt) {
    ResetSaverPointer();
    // The first move of the process never ends it, wherever it lands.
    EXPECT_FALSE(EventEndsSaver(EventMouseMove, 900, 700));
    EXPECT_FALSE(EventEndsSaver(EventMouseMove, 901, 701));
    EXPECT_FALSE(EventEndsSaver(EventMouseMove, 902, 700));
    EXPECT_FALSE(EventEndsSaver(EventMouseMove, 903, 699));
    EXPECT_EQ(LastMouseX, 903);
    EXPECT_EQ(LastMouseY, 699);
    EXPECT_TRUE(EventEndsSaver(EventMouseMove, 905, 699));
    EXPECT_TRUE(EventEndsSaver(EventMouseMove, 903, 697));
    ResetSaverPointer();
    EXPECT_FALSE(EventEndsSaver(EventMouseMove, 0, 0));
}

TEST(ScreenshotName, FirstCapsaroThenNumberedScreens) {
    std::set<std::string> taken;
    const auto isTaken = [&taken](const std::string& name) { return taken.count(name) != 0; };
    EXPECT_EQ(ScreenshotName(isTaken), "Capsaro000.png");
    taken.insert("Capsaro000.png");
    EXPECT_EQ(ScreenshotName(isTaken), "screen001.png");
    for (int n = 1; n <= 999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "screen%03d.png", n);
        taken.insert(name);
    }
    EXPECT_EQ(ScreenshotName(isTaken), "screen1000.png");
    // screen000.png is never chosen.
    EXPECT_EQ(taken.count("screen000.png"), 0u);
}

TEST(SaveScreenshot, AFolderOfTheNameCountsAsTakenAndTheLineIsWritten) {
    const TempFolder shots("shots");
    const fs::path folder = shots.Path();
    fs::create_directories(folder / "Capsaro000.png");
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    SelectDriver(SoftwareDriver(), BackBufferFlag);
    ASSERT_TRUE(OpenDisplay(40, 30, 32, 0, 0));
    SetClearColor(255, 0, 0);
    ClearBackBuffer();
    testing::internal::CaptureStdout();
    SaveScreenshot();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Screenshot saved as screen001.png\n");
    EXPECT_TRUE(fs::is_regular_file(folder / "screen001.png"));
    CloseDisplay();
    SelectDriver(nullptr, 0);
    fs::current_path(before);
}

namespace {

class HeadlessSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto platform = std::make_unique<HeadlessPlatform>();
        headless = platform.get();
        SetPlatform(std::move(platform));
        SelectDriver(SoftwareDriver(), BackBufferFlag);
        CurrentMotionMode = 1;
        VarietyPoolSize = 100;
        RegisterEmbeddedPictures();
        // As in a fresh process, before any display was selected.
        SetAutoCentreHandle(false);
        SetDefaultImageFlags(0);
    }
    void TearDown() override {
        ClearTerminationRequest();
        CloseDisplay();
        SelectDriver(nullptr, 0);
        SetPlatform(nullptr);
        DesktopPixmap.reset();
        DesktopImage.reset();
    }
    HeadlessPlatform* headless = nullptr;
    TSaver saver;
};

} // namespace

// The platform says why, in its own words (the X11 platform names the X display).
TEST_F(HeadlessSaverTest, WithoutAScreenNothingOpensAndThePlatformSaysWhy) {
    testing::internal::CaptureStderr();
    saver.RunSaver();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "capsaro: the screen cannot be measured\n");
    EXPECT_EQ(CurrentDisplay(), nullptr);
}

TEST_F(HeadlessSaverTest, SlowRatesAreNotPacedAndTheDesktopIsCapturedFirst) {
    headless->caps = {64, 48, 24, 1, 30};
    headless->desktop = CreatePixmap(64, 48, FormatRGBA8888, 4);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x)
            WritePixel(*headless->desktop, x, y, 0xFFFF0000u);
    // Asked to end before the first frame, the saver sets up and returns.
    InstallTerminationSignals();
    raise(SIGTERM);
    saver.RunSaver();
    EXPECT_EQ(DisplayHertz(), -1);
    EXPECT_EQ(DisplayWidth(), 64);
    ASSERT_TRUE(DesktopPixmap);
    EXPECT_EQ(ReadPixel(*DesktopPixmap, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(DesktopWidth, 64);
    EXPECT_EQ(DesktopImage->flags, 0);
    EXPECT_EQ(DesktopImage->handleX, 0);
}

TEST_F(HeadlessSaverTest, ShallowScreensShowNothing) {
    headless->caps = {64, 48, 8, 1, 60};
    saver.RunSaver();
    EXPECT_EQ(CurrentDisplay(), nullptr);
}

TEST_F(HeadlessSaverTest, PreviewWithoutAHostWindowEndsAtOnce) {
    ProgramArguments() = {"capsaro", "/p", "0"};
    saver.RunPreview();
    EXPECT_EQ(saver.ViewWidth, 0);
    ProgramArguments() = {"capsaro", "/p", "12345"};
    saver.RunPreview();
    EXPECT_EQ(CurrentDisplay(), nullptr);
}

TEST_F(HeadlessSaverTest, AMeasuredRunIsUnpacedReportsItsRateAndEnds) {
    headless->caps = {64, 48, 24, 1, 60};
    saver.ChilliCount = 20;
    setenv("CAPSARO_FPS", "1", 1);
    testing::internal::CaptureStderr();
    saver.RunSaver();
    const std::string report = testing::internal::GetCapturedStderr();
    unsetenv("CAPSARO_FPS");
    int frames = 0;
    double seconds = 0, rate = 0;
    ASSERT_EQ(std::sscanf(report.c_str(), "capsaro: %d frames in %lf s, %lf frames a second", &frames, &seconds, &rate),
              3)
        << report;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LT(seconds, 1.5);
    EXPECT_NEAR(rate, frames / seconds, 0.1);
    // 64 x 48 frames take well under a millisecond: a paced run would show about 60.
    EXPECT_GT(frames, 200);
}

TEST_F(HeadlessSaverTest, MeasuredRunsShowTheSameChillies) {
    headless->caps = {640, 480, 24, 1, 60};
    saver.ChilliCount = 20;
    setenv("CAPSARO_FPS", "1", 1);
    std::vector<std::pair<int32_t, int32_t>> varieties;
    // Which of the two each chilli shows and its size: drawn at creation, kept while it moves.
    std::vector<std::vector<std::pair<int32_t, float>>> chillies(2);
    for (int32_t seed : {1, 2}) {
        SeedRandom(seed);
        ChilliList.clear();
        testing::internal::CaptureStderr();
        saver.RunSaver();
        testing::internal::GetCapturedStderr();
        varieties.emplace_back(VarietyA, VarietyB);
        EXPECT_EQ(ChilliList.size(), 20u);
        for (const TChilli& chilli : ChilliList)
            chillies[seed - 1].emplace_back(chilli.Variety, chilli.ScaleX);
    }
    unsetenv("CAPSARO_FPS");
    EXPECT_EQ(varieties[0], varieties[1]);
    EXPECT_EQ(chillies[0], chillies[1]);
}

namespace {

// Plays the display's power state on a timer of its own while the saver runs: off from the start,
// on again after half a second, off once more as soon as frames are drawn, then a key press.
struct PowerScript : TObject {
    HeadlessPlatform* platform = nullptr;
    std::shared_ptr<TTimer> clock;
    int32_t phase = 0;
    int32_t ticks = 0;
    int32_t swayAtStart = 0;
    int32_t swayWhenOffAgain = 0;
    bool drewWhileOff = false;
    bool drewWhenOn = false;
    bool timedOut = false;
};

std::shared_ptr<TObject> FollowPowerScript(int32_t, const std::shared_ptr<TObject>& data,
                                           const std::shared_ptr<TObject>& context) {
    auto& script = static_cast<PowerScript&>(*context);
    const auto* event = dynamic_cast<const TEvent*>(data.get());
    if (!event || event->id != EventTimerTick || event->source != script.clock) return data;
    ++script.ticks;
    // A liveness bound, far beyond what each phase needs.
    if (script.ticks > 20 * 20) script.timedOut = true;
    switch (script.phase) {
    case 0: // off: nothing may be drawn
        if (SwayAngle != script.swayAtStart) script.drewWhileOff = true;
        if (script.ticks >= 10) script.platform->displayOff = false, script.phase = 1;
        break;
    case 1: // on: frames again
        if (SwayAngle != script.swayAtStart) {
            script.drewWhenOn = true;
            script.platform->displayOff = true;
            script.phase = 2, script.ticks = 0;
        }
        break;
    case 2: // off again: once the saver has seen it, the frames stop
        if (script.ticks == 8) script.swayWhenOffAgain = SwayAngle;
        if (script.ticks > 8 && SwayAngle != script.swayWhenOffAgain) script.drewWhileOff = true;
        if (script.ticks == 16) script.phase = 3;
        break;
    default:
        break;
    }
    if (script.phase == 3 || script.timedOut) EmitEvent(MakeEvent(EventKeyDown, nullptr, KeyA));
    return data;
}

} // namespace

// While the display is off the saver draws nothing, starts again when it comes back, and a key
// pressed while it is off still ends it.
TEST_F(HeadlessSaverTest, NothingIsDrawnWhileTheDisplayIsOffAndAKeyStillEndsIt) {
    headless->caps = {64, 48, 24, 1, 60};
    headless->displayOff = true;
    saver.ChilliCount = 5;
    SwayStep = 4;
    SwayAngle = 1;
    auto script = std::make_shared<PowerScript>();
    script->platform = headless;
    script->swayAtStart = SwayAngle;
    AddHook(EmitEventHook(), FollowPowerScript, script, 0);
    script->clock = CreateTimer(20);
    saver.RunSaver();
    StopTimer(script->clock);
    RemoveHook(EmitEventHook(), FollowPowerScript, script);
    EXPECT_FALSE(script->timedOut) << "phase " << script->phase;
    EXPECT_TRUE(script->drewWhenOn);
    EXPECT_FALSE(script->drewWhileOff);
    EXPECT_EQ(script->phase, 3);
}
