// A show over several monitors: views from monitors and from a layout's text, chillies that move
// within their own view, drawing clipped to each view with the desktop copy and a caption of its
// own, and one view over the whole display drawn exactly as a show without views.
#include "tests/support/saver_globals.h"
#include "tests/support/temp_folder.h"

#include "saver/catalogue.h"
#include "saver/chilli.h"
#include "saver/motion_mode.h"
#include "saver/render_command.h"
#include "saver/run_options.h"
#include "saver/saver.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"
#include "saver/startup.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "runtime/file_paths.h"
#include "runtime/random.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace {

using Views = std::vector<MonitorRect>;

// A display of 700 x 400 with three monitors of different sizes: the primary at the right, one
// to its left lower down (a gap between them), one below that; parts of the display show nothing.
constexpr int32_t kWidth = 700, kHeight = 400;
const Views kLayout = {{300, 0, 400, 300}, {0, 40, 240, 200}, {0, 300, 200, 100}};

constexpr uint32_t kMagenta = 0xFFFF00FF;

bool InsideAnyView(int32_t x, int32_t y) {
    for (const MonitorRect& view : kLayout)
        if (x >= view.x && x < view.x + view.width && y >= view.y && y < view.y + view.height) return true;
    return false;
}

class ShowViewsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedPictures(); }

    void SetUp() override {
        BeginTestShow(&saver);
        SetDesktopCopy(nullptr);
        SelectDriver(SoftwareDriver(), BackBufferFlag);
    }
    void TearDown() override { EndTestShow(saver); }

    void StartShow(int32_t mode, int32_t count, const Views& views = kLayout) {
        ASSERT_TRUE(OpenDisplay(kWidth, kHeight, 32, 0, 0));
        saver.ViewWidth = kWidth;
        saver.ViewHeight = kHeight;
        ShowViews = ViewsForMonitors(views, kWidth, kHeight);
        CurrentMotionMode = mode;
        SeedRandom(77);
        saver.CreateChillies(count);
    }

    // The whole back buffer in magenta, so what a frame leaves alone shows.
    static void PaintEverythingMagenta() {
        SetViewport(0, 0, kWidth, kHeight);
        SetClearColor(255, 0, 255);
        ClearBackBuffer();
        SetClearColor(0, 0, 0);
    }

    TSaver saver;
};

} // namespace

TEST(ViewsForMonitors, CutToTheDisplayPrimaryFirstThenLeftToRightTopToBottom) {
    const Views views = ViewsForMonitors({{300, 0, 400, 300},
                                          {0, 300, 200, 100},
                                          {0, 40, 240, 200},
                                          {0, 40, 240, 200},    // mirrored: one view
                                          {650, 350, 100, 100}, // partly off the display
                                          {-50, 0, 40, 40},     // wholly off it
                                          {10, 10, 0, 5}},
                                         kWidth, kHeight);
    EXPECT_EQ(views, (Views{{300, 0, 400, 300}, {0, 40, 240, 200}, {0, 300, 200, 100}, {650, 350, 50, 50}}));
}

TEST(ViewsForMonitors, OneMonitorOverTheWholeDisplayOrNoneIsTheShowWithoutViews) {
    EXPECT_TRUE(ViewsForMonitors({}, kWidth, kHeight).empty());
    EXPECT_TRUE(ViewsForMonitors({{0, 0, kWidth, kHeight}}, kWidth, kHeight).empty());
    EXPECT_TRUE(ViewsForMonitors({{-10, -10, kWidth + 20, kHeight + 20}}, kWidth, kHeight).empty());
    // One monitor that shows only part of the display is a view of its own.
    EXPECT_EQ(ViewsForMonitors({{0, 0, 640, 400}}, kWidth, kHeight), (Views{{0, 0, 640, 400}}));
}

TEST(ParseMonitorLayout, ReadsMonitorsRelativeToTheLayoutsBounds) {
    Views monitors;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(ParseMonitorLayout("1920x1080+0+0,1280x1024+1920+56", 16384, monitors, width, height));
    EXPECT_EQ(monitors, (Views{{0, 0, 1920, 1080}, {1920, 56, 1280, 1024}}));
    EXPECT_EQ(width, 3200);
    EXPECT_EQ(height, 1080);
    // A monitor left of and above the first moves the origin.
    ASSERT_TRUE(ParseMonitorLayout("1024x768+0+0,800x600-800-100", 16384, monitors, width, height));
    EXPECT_EQ(monitors, (Views{{800, 100, 1024, 768}, {0, 0, 800, 600}}));
    EXPECT_EQ(width, 1824);
    EXPECT_EQ(height, 868);
    for (const char* bad :
         {"", "1920x1080", "1920x1080+0", "1920x1080 0 0", "x1080+0+0", "0x10+0+0", "1920x1080+0+0,",
          "1920x1080+0+0;640x480+0+0", "99999999x10+0+0", "10x10+0+0+0", "16000x10+0+0,16000x10+16000+0"}) {
        EXPECT_FALSE(ParseMonitorLayout(bad, 16384, monitors, width, height)) << bad;
    }
}

// Over 2,000 frames of every motion each chilli keeps to its own view's width and height, and has
// its view's size factors.
TEST_F(ShowViewsTest, EveryViewsChilliesMoveByItsOwnSize) {
    for (int32_t mode = MotionBounceBoth; mode <= MotionFall; ++mode) {
        SCOPED_TRACE(mode);
        ChilliList.clear();
        CloseDisplay();
        StartShow(mode, 20);
        ASSERT_EQ(ChilliList.size(), 60u);
        for (int frame = 0; frame < 2000; ++frame) {
            saver.Update();
            for (const TChilli& chilli : ChilliList) {
                const MonitorRect& view = kLayout[static_cast<size_t>(chilli.View)];
                const auto w = static_cast<float>(view.width), h = static_cast<float>(view.height);
                ASSERT_EQ(chilli.ScaleX, w / 1024.0f);
                ASSERT_EQ(chilli.ScaleY, h / 768.0f);
                if (mode == MotionFall) {
                    ASSERT_GE(chilli.Y, -h);
                    ASSERT_LT(chilli.Y, h + 100);
                } else {
                    ASSERT_GE(chilli.X, 0);
                    ASSERT_LE(chilli.X, w);
                    ASSERT_GE(chilli.Y, 0);
                    ASSERT_LE(chilli.Y, h);
                }
            }
        }
    }
}

// Chillies at a view's edge are cut there: nothing outside every view is drawn to.
TEST_F(ShowViewsTest, DrawingStaysInsideTheViews) {
    saver.ChilliScale = 2;
    StartShow(MotionBounceBoth, 40);
    for (int frame = 0; frame < 60; ++frame)
        saver.Update();
    PaintEverythingMagenta();
    saver.Draw();
    const PixmapPtr frame = GrabBackBuffer(0, 0, kWidth, kHeight);
    int32_t drawn = 0;
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint32_t pixel = ReadPixel(*frame, x, y);
            if (!InsideAnyView(x, y)) {
                ASSERT_EQ(pixel, kMagenta) << x << "," << y;
            } else if (pixel != kMagenta) {
                ++drawn;
            }
        }
    EXPECT_EQ(drawn, 400 * 300 + 240 * 200 + 200 * 100);
}

// Each view shows the part of the desktop copy its monitor showed, and its own caption at its foot.
TEST_F(ShowViewsTest, EachViewShowsItsMonitorsDesktopAndItsOwnCaption) {
    PixmapPtr desktop = CreatePixmap(kWidth, kHeight, FormatRGBA8888, 4);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            WritePixel(*desktop, x, y,
                       0xFF000000u | static_cast<uint32_t>(x % 256) << 8 | static_cast<uint32_t>(y % 200));
    SetDesktopCopy(desktop, 0);
    UseDesktop = 1;
    ShowNames = 1;
    StartShow(MotionBounceBoth, 0);
    PaintEverythingMagenta();
    saver.Update();
    saver.Draw();
    const PixmapPtr frame = GrabBackBuffer(0, 0, kWidth, kHeight);
    const int32_t textWidth = TextWidth(saver.Caption);
    for (const MonitorRect& view : kLayout) {
        SCOPED_TRACE(view.x);
        const CaptionPlace caption = CaptionPosition(view.width, view.height, textWidth);
        int32_t left = kWidth, right = -1, top = kHeight, bottom = -1;
        for (int32_t y = view.y; y < view.y + view.height; ++y)
            for (int32_t x = view.x; x < view.x + view.width; ++x) {
                const uint32_t pixel = ReadPixel(*frame, x, y);
                if (pixel == ReadPixel(*desktop, x, y)) continue;
                left = std::min(left, x - view.x), right = std::max(right, x - view.x);
                top = std::min(top, y - view.y), bottom = std::max(bottom, y - view.y);
            }
        // Only the caption differs from the desktop, and it sits at the view's own foot.
        ASSERT_GE(right, 0);
        EXPECT_GE(left, std::max(0, caption.x));
        EXPECT_LT(right, caption.x + textWidth);
        EXPECT_GE(top, caption.y);
        EXPECT_LT(bottom, view.height);
    }
    EXPECT_EQ(ReadPixel(*frame, 260, 20), kMagenta);
}

// A new pair of varieties reaches every view's chillies in the same frame.
TEST_F(ShowViewsTest, AChangeOfVarietiesChangesEveryView) {
    ChangeChillies = 1;
    StartShow(MotionBounceBoth, 10);
    const int32_t firstA = VarietyA, firstB = VarietyB;
    int frame = 0;
    for (; frame < 100000 && VarietyA == firstA && VarietyB == firstB; ++frame)
        saver.Update();
    ASSERT_TRUE(VarietyA != firstA || VarietyB != firstB) << "no change in " << frame << " frames";
    for (const TChilli& chilli : ChilliList) {
        const int32_t variety = chilli.Variety == 1 ? VarietyA : VarietyB;
        EXPECT_EQ(chilli.Image, saver.CatalogueImages[static_cast<size_t>(variety)]) << chilli.View;
    }
}

// The render of a one-monitor layout over its whole size is the render of that size, byte for byte.
TEST_F(ShowViewsTest, ARenderOfOneWholeMonitorIsTheRenderOfItsSize) {
    const TempFolder temp("views-render");
    const std::string base = FileName(temp.Path());
    // The render reads the settings beside the program, which in a test is the current folder:
    // the test's own, so the file it makes lands there.
    std::error_code ignored;
    const std::filesystem::path before = std::filesystem::current_path(ignored);
    std::filesystem::current_path(temp.Path(), ignored);
    std::string error;
    for (const auto& [folder, place] :
         {std::pair<std::string, std::string>{"size", "--size"}, {"layout", "--monitors"}}) {
        RunOptions options;
        ASSERT_TRUE(ParseRunOptions({"capsaro", "--render", JoinPath(base, folder), "--frames", "3", place,
                                     place == "--size" ? "160x120" : "160x120+0+0", "--seed", "9", "--count", "12"},
                                    options, error))
            << error;
        ChilliList.clear();
        ASSERT_EQ(RunRenderCommand(saver, options), 0);
    }
    std::filesystem::current_path(before, ignored);
    for (const char* frame : {"frame0000.png", "frame0002.png"}) {
        const std::string bySize = ReadFileBytes(FilePath(JoinPath(JoinPath(base, "size"), frame)));
        ASSERT_FALSE(bySize.empty());
        EXPECT_EQ(bySize, ReadFileBytes(FilePath(JoinPath(JoinPath(base, "layout"), frame)))) << frame;
    }
}
