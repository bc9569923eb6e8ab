// The show: catalogue and caption, chillies and their motion, frame composition, drawn on an
// offscreen software display and compared with golden frames.
#include "tests/support/golden.h"
#include "tests/support/saver_globals.h"

#include "saver/catalogue.h"
#include "saver/chilli.h"
#include "saver/saver.h"
#include "saver/show_loop.h"
#include "saver/startup.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "gui/events/event.h"
#include "gui/events/queue.h"
#include "runtime/random.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class ShowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedPictures(); }

    void SetUp() override {
        BeginTestShow(nullptr);
        DesktopImage.reset();
        SelectDriver(SoftwareDriver(), BackBufferFlag);
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
        ChilliList.clear();
    }

    // An offscreen show of the given size, mode and seed with `count` chillies.
    void StartShow(int32_t width, int32_t height, int32_t mode, int32_t seed, int32_t count) {
        ASSERT_TRUE(OpenDisplay(width, height, 32, 0, 0));
        saver.ViewWidth = width;
        saver.ViewHeight = height;
        CurrentMotionMode = mode;
        SeedRandom(seed);
        saver.CreateChillies(count);
    }

    PixmapPtr Frames(int count) {
        for (int i = 0; i < count; ++i) {
            saver.Update();
            saver.Draw();
            if (i + 1 < count) Flip(-1);
        }
        return GrabBackBuffer(0, 0, saver.ViewWidth, saver.ViewHeight);
    }

    TSaver saver;
};

bool AllBlack(const TPixmap& pixmap) {
    for (int32_t y = 0; y < pixmap.height; ++y)
        for (int32_t x = 0; x < pixmap.width; ++x)
            if ((ReadPixel(pixmap, x, y) & 0xFFFFFF) != 0) return false;
    return true;
}

} // namespace

TEST_F(ShowTest, EachMotionModeDrawsItsGoldenFrame) {
    for (int32_t mode = 1; mode <= 4; ++mode) {
        ChilliList.clear();
        StartShow(256, 192, mode, 1000 + mode, 24);
        // Falling chillies start above the view and need a while to come into it.
        const PixmapPtr frame = Frames(mode == 4 ? 120 : 12);
        EXPECT_EQ(CompareWithGolden(*frame, "saver", "mode" + std::to_string(mode), 2), "");
        CloseDisplay();
    }
}

TEST_F(ShowTest, ShadowsOverTheDesktopCopyWithCaption) {
    UseDesktop = Shadows = ShowNames = 1;
    const PixmapPtr desktop = CreatePixmap(256, 192, FormatRGBA8888, 4);
    for (int32_t y = 0; y < 192; ++y)
        for (int32_t x = 0; x < 256; ++x)
            WritePixel(*desktop, x, y, 0xFF000000u | static_cast<uint32_t>(x) << 8 | static_cast<uint32_t>(y));
    DesktopImage = LoadImage(desktop, 0);
    StartShow(256, 192, 1, 77, 12);
    EXPECT_EQ(CompareWithGolden(*Frames(3), "saver", "desktop_shadows_caption", 2), "");
}

TEST_F(ShowTest, WithoutClearingChilliesLeaveTrails) {
    ClearScreen = 0;
    StartShow(256, 192, 3, 5, 6);
    EXPECT_EQ(CompareWithGolden(*Frames(20), "saver", "trails", 2), "");
}

TEST_F(ShowTest, TheSameSeedDrawsTheSameShow) {
    StartShow(200, 150, 4, 31337, 40);
    const PixmapPtr first = Frames(5);
    CloseDisplay();
    ChilliList.clear();
    SwayAngle = 1;
    StartShow(200, 150, 4, 31337, 40);
    const PixmapPtr second = Frames(5);
    for (int32_t y = 0; y < 150; ++y)
        for (int32_t x = 0; x < 200; ++x)
            ASSERT_EQ(ReadPixel(*first, x, y), ReadPixel(*second, x, y));
}

TEST_F(ShowTest, CaptionNamesTheVarietiesAndEndsInOneBlank) {
    StartShow(64, 48, 1, 9, 0);
    EXPECT_TRUE(ChilliList.empty());
    ASSERT_FALSE(saver.Caption.empty());
    EXPECT_EQ(saver.Caption.back(), ' ');
    const std::string a = kChilliCatalogue[static_cast<size_t>(VarietyA)].name;
    const std::string b = kChilliCatalogue[static_cast<size_t>(VarietyB)].name;
    EXPECT_EQ(saver.Caption, VarietyA == VarietyB ? a + " " : a + ", " + b + " ");
    VarietyPoolSize = 1;
    ChooseVarieties(saver);
    EXPECT_EQ(saver.Caption, "Capsaro ");
    // Two pictures of one variety give its name twice.
    saver.CatalogueNames[0] = "Savina";
    saver.CatalogueNames[1] = "Savina";
    VarietyPoolSize = 2;
    for (int i = 0; i < 50; ++i) {
        ChooseVarieties(saver);
        const std::string expected = VarietyA != VarietyB ? "Savina, Savina " : "Savina ";
        EXPECT_EQ(saver.Caption, expected);
    }
}

TEST_F(ShowTest, CaptionSitsCentredAtTheFoot) {
    EXPECT_EQ(CaptionPosition(1024, 768, 48).x, 488);
    EXPECT_EQ(CaptionPosition(1365, 768, 48).x, 658);
    EXPECT_EQ(CaptionPosition(1024, 768, 48).y, 753);
    EXPECT_EQ(CaptionPosition(100, 768, 301).x, -100);
}

TEST_F(ShowTest, CreationDrawsTheModesStartValues) {
    StartShow(1024, 768, 3, 4, 200);
    ASSERT_EQ(ChilliList.size(), 200u);
    for (const TChilli& chilli : ChilliList) {
        EXPECT_GT(chilli.DX, 0); // mode 3: everyone starts moving right
        EXPECT_EQ(chilli.DY, 0);
        EXPECT_EQ(chilli.Sway, 1);
        EXPECT_GE(chilli.SwayPhase, 1);
        EXPECT_LE(chilli.SwayPhase, 45);
        EXPECT_EQ(chilli.Image, saver.CatalogueImages[static_cast<size_t>(chilli.Variety == 1 ? VarietyA : VarietyB)]);
    }
    ChilliList.clear();
    CloseDisplay();
    StartShow(2048, 768, 1, 4, 100);
    for (const TChilli& chilli : ChilliList) {
        EXPECT_EQ(chilli.ScaleX, 2.0f);
        EXPECT_LT(std::abs(chilli.DX), 8.0f);
        EXPECT_LT(std::abs(chilli.DY), 4.0f);
    }
    // A motion mode outside 1..4 creates nothing but still chooses the varieties.
    ChilliList.clear();
    CurrentMotionMode = 7;
    saver.CreateChillies(10);
    EXPECT_TRUE(ChilliList.empty());
}

TEST_F(ShowTest, BounceIsCentreBasedWithoutDamping) {
    CurrentMotionMode = 1;
    TChilli exact;
    exact.X = 100, exact.DX = 0, exact.Y = 10;
    exact.X = 1023, exact.DX = 1;
    exact.Update(1024, 768);
    EXPECT_EQ(exact.X, 1024);
    EXPECT_EQ(exact.DX, 1);
    TChilli beyond;
    beyond.X = 1023.5f, beyond.DX = 1, beyond.Y = 10;
    beyond.Update(1024, 768);
    EXPECT_EQ(beyond.X, 1024);
    EXPECT_EQ(beyond.DX, -1);
    // Mode 2: above the top edge, the chilli is put back on it until its descent begins.
    CurrentMotionMode = 2;
    TChilli above;
    above.Y = -50, above.DY = 1.5f;
    above.Update(1024, 768);
    EXPECT_EQ(above.Y, 0);
    EXPECT_EQ(above.DY, -1.5f);
    above.Update(1024, 768);
    EXPECT_EQ(above.Y, 0);
    EXPECT_EQ(above.DY, 1.5f);
    above.Update(1024, 768);
    EXPECT_EQ(above.Y, 1.5f);
}

TEST_F(ShowTest, FallingChilliRestartsAboveWithoutClampingX) {
    CurrentMotionMode = 4;
    TChilli chilli;
    chilli.X = -30, chilli.Y = 867.5f, chilli.DY = 0.5f, chilli.Sway = 3, chilli.SwayPhase = 10;
    SwayAngle = 80; // sin(90 degrees) = 1
    chilli.Update(1024, 768);
    EXPECT_FLOAT_EQ(chilli.X, -27);
    EXPECT_GE(chilli.Y, -768);
    EXPECT_LT(chilli.Y, 0);
    EXPECT_EQ(chilli.DY, 0.5f);
    TChilli notYet;
    notYet.Y = 867, notYet.DY = 0.5f;
    notYet.Update(1024, 768);
    EXPECT_EQ(notYet.Y, 867.5f);
}

TEST_F(ShowTest, FallSwayTurnsDegreesToRadiansAsAngleTimesPiOverOneEighty) {
    // Every angle sum the show reaches (the sway angle 1..361 plus a phase of up to 200), exactly.
    for (int32_t sum = 1; sum <= 561; ++sum)
        EXPECT_EQ(SwayOffset(2.75f, sum), 2.75 * std::sin(sum * 3.141592653589793 / 180.0)) << "angle sum " << sum;
    CurrentMotionMode = 4;
    SwayAngle = 80;
    TChilli chilli;
    chilli.X = 100, chilli.DY = 1, chilli.Sway = 2.5f, chilli.SwayPhase = 20;
    chilli.Update(1024, 768);
    EXPECT_FLOAT_EQ(chilli.X, static_cast<float>(100 + 2.5 * std::sin(100 * 3.141592653589793 / 180.0)));
}

TEST_F(ShowTest, SwayAngleCyclesThroughNinetyOneFrames) {
    StartShow(32, 32, 1, 1, 0);
    std::vector<int32_t> angles;
    for (int i = 0; i < 92; ++i) {
        saver.Update();
        angles.push_back(SwayAngle);
    }
    EXPECT_EQ(angles[0], 5);
    EXPECT_EQ(angles[89], 361);
    EXPECT_EQ(angles[90], 1);
    EXPECT_EQ(angles[91], 5);
}

TEST_F(ShowTest, AChangeOfVarietiesSwapsEveryPictureInOneFrame) {
    ChangeChillies = 1;
    StartShow(128, 96, 1, 3, 30);
    // Find a generator state whose next draw of 0..2000 is 1, then update from it.
    int32_t state = 1;
    for (;; ++state) {
        SeedRandom(state);
        if (RandomInt(0, 2000) == 1) break;
    }
    const std::vector<TChilli> before = ChilliList;
    SeedRandom(state);
    saver.Update();
    const ImagePtr& a = saver.CatalogueImages[static_cast<size_t>(VarietyA)];
    const ImagePtr& b = saver.CatalogueImages[static_cast<size_t>(VarietyB)];
    for (size_t i = 0; i < ChilliList.size(); ++i) {
        EXPECT_EQ(ChilliList[i].Image, ChilliList[i].Variety == 1 ? a : b);
        EXPECT_EQ(ChilliList[i].Variety, before[i].Variety);
    }
    // Without the switch no number is drawn at all.
    ChangeChillies = 0;
    const int32_t seed = RandomSeedValue();
    saver.Update();
    EXPECT_EQ(RandomSeedValue(), seed);
}

TEST_F(ShowTest, ScaleZeroDrawsNothingWhileMotionGoesOn) {
    saver.ChilliScale = 0;
    StartShow(128, 96, 1, 8, 20);
    const float x = ChilliList[0].X;
    EXPECT_TRUE(AllBlack(*Frames(3)));
    EXPECT_NE(ChilliList[0].X, x);
}

TEST_F(ShowTest, AnEmptyShowStillDrawsBackgroundAndCaption) {
    ShowNames = 1;
    StartShow(256, 64, 2, 12, 0);
    EXPECT_FALSE(AllBlack(*Frames(1)));
    // The preview never shows the caption.
    RunModeLetter = "p";
    EXPECT_TRUE(AllBlack(*Frames(1)));
}

TEST_F(ShowTest, HugeCountsStopAtTheBoundAndRemovalsAtAnEmptyList) {
    StartShow(64, 48, 4, 2, 2000000000);
    EXPECT_EQ(ChilliList.size(), static_cast<size_t>(kMaxChillies));
    saver.AdjustChillies(-(kMaxChillies - 3));
    EXPECT_EQ(ChilliList.size(), 3u);
    saver.AdjustChillies(-5);
    EXPECT_TRUE(ChilliList.empty());
    saver.AdjustChillies(INT32_MIN);
    EXPECT_TRUE(ChilliList.empty());
    saver.AdjustChillies(4);
    EXPECT_EQ(ChilliList.size(), 4u);
}

// A show in a window: every tick runs the tick step, ticks that come while a frame is pending ask
// for no second one, and the loop ends on "AppTerminate" without drawing what is still asked for.
TEST_F(ShowTest, TheShowLoopRunsEachTickAndMergesTicksIntoOnePendingFrame) {
    const GraphicsPtr canvas = OpenDisplay(64, 48, 32, 0, 0);
    ASSERT_TRUE(canvas);
    while (QueuedEventCount() > 0)
        PollEvent();
    int ticks = 0, frames = 0;
    for (int i = 0; i < 3; ++i)
        PostEvent(MakeEvent(EventTimerTick), false);
    RunShowLoop(*canvas, {[&] { ++ticks; },
                          [&] {
                              // The first frame asks for another by two more ticks, then ends the loop.
                              if (++frames == 1) {
                                  PostEvent(MakeEvent(EventTimerTick), false);
                                  PostEvent(MakeEvent(EventTimerTick), false);
                              }
                              PostEvent(MakeEvent(EventAppTerminate), false);
                          }});
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(frames, 1);
    while (QueuedEventCount() > 0)
        PollEvent();
}

TEST(DesktopCopy, SetsThePixmapItsImageAndSizeOrNone) {
    PixmapPtr pixmap = CreatePixmap(40, 30, FormatRGBA8888, 4);
    ASSERT_TRUE(pixmap);
    SetDesktopCopy(pixmap, 0);
    EXPECT_EQ(DesktopPixmap, pixmap);
    ASSERT_TRUE(DesktopImage);
    EXPECT_EQ(DesktopImage->width, 40);
    EXPECT_EQ(DesktopImage->flags, 0);
    EXPECT_EQ(DesktopWidth, 40);
    EXPECT_EQ(DesktopHeight, 30);
    SetDesktopCopy(nullptr);
    EXPECT_FALSE(DesktopPixmap);
    EXPECT_FALSE(DesktopImage);
    EXPECT_EQ(DesktopWidth, 0);
    EXPECT_EQ(DesktopHeight, 0);
}
