// Frames drawn only where they changed are the frames drawn whole, byte for byte: for each
// background (black, trails, the desktop copy), motion and shadow setting, with one view and with
// two, across a change of varieties.
#include "tests/support/saver_globals.h"

#include "saver/catalogue.h"
#include "saver/chilli.h"
#include "saver/motion_mode.h"
#include "saver/saver.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"
#include "saver/startup.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "runtime/random.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>

namespace {

constexpr int32_t kWidth = 320, kHeight = 240;
constexpr int kFrames = 14;

// Counts the frames presented with less than the whole frame changed.
class CountingPresenter : public SoftPresenter {
public:
    explicit CountingPresenter(int& partialFrames) : partialFrames_(partialFrames) {}
    int32_t Width() const override { return kWidth; }
    int32_t Height() const override { return kHeight; }
    void Present(const uint32_t*, int32_t, int32_t, int32_t) override {}
    void PresentChanged(const uint32_t*, int32_t width, int32_t height, int32_t,
                        const std::vector<DrawRect>& changed) override {
        int64_t area = 0;
        for (const DrawRect& r : changed)
            area += int64_t{r.right - r.left} * (r.bottom - r.top);
        if (area < int64_t{width} * height) ++partialFrames_;
    }

private:
    int& partialFrames_;
};

class CountingHost : public SoftWindowHost {
public:
    explicit CountingHost(int& partialFrames) : partialFrames_(partialFrames) {}
    std::vector<TGraphicsMode> DisplayModes() override { return {}; }
    std::unique_ptr<SoftPresenter> OpenWindow(int32_t, int32_t, int32_t, int32_t) override {
        return std::make_unique<CountingPresenter>(partialFrames_);
    }
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t) override { return nullptr; }

private:
    int& partialFrames_;
};

enum class Background { Black, Trails, Desktop };

struct Case {
    Background background;
    bool shadows;
    int32_t motion;
    bool twoViews;
};

std::string Name(const Case& c) {
    static const char* const backgrounds[] = {"black", "trails", "desktop"};
    return std::string(backgrounds[static_cast<int>(c.background)]) + (c.shadows ? "_shadows" : "") + "_motion" +
           std::to_string(c.motion) + (c.twoViews ? "_two_views" : "");
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Background, bool, int32_t, bool>>& param) {
    return Name(
        {std::get<0>(param.param), std::get<1>(param.param), std::get<2>(param.param), std::get<3>(param.param)});
}

class DamageFramesTest : public ::testing::TestWithParam<std::tuple<Background, bool, int32_t, bool>> {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedPictures(); }
    void TearDown() override { EndTestShow(saver); }

    // kFrames frames of the show, each read back after it is presented; the varieties change half way.
    std::vector<PixmapPtr> Show(const Case& c, bool wholeFrames) {
        BeginTestShow(&saver);
        ShowNames = 1;
        Shadows = c.shadows ? 1 : 0;
        UseDesktop = c.background == Background::Desktop ? 1 : 0;
        ClearScreen = c.background == Background::Trails ? 0 : 1;
        PixmapPtr desktop = CreatePixmap(kWidth, kHeight, FormatRGBA8888, 4);
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x)
                WritePixel(*desktop, x, y,
                           0xFF000000u | static_cast<uint32_t>(x % 256) << 8 | static_cast<uint32_t>(y));
        SetDesktopCopy(desktop, 0);
        SelectDriver(SoftwareDriver(std::make_shared<CountingHost>(partialFrames), wholeFrames), BackBufferFlag);
        EXPECT_TRUE(OpenDisplay(kWidth, kHeight, 32, 0, 0));
        saver.ViewWidth = kWidth;
        saver.ViewHeight = kHeight;
        ShowViews.clear();
        if (c.twoViews) ShowViews = ViewsForMonitors({{0, 0, 160, 240}, {160, 20, 160, 200}}, kWidth, kHeight);
        CurrentMotionMode = c.motion;
        SeedRandom(2024);
        saver.CreateChillies(8);
        std::vector<PixmapPtr> frames;
        for (int frame = 0; frame < kFrames; ++frame) {
            if (frame == kFrames / 2) {
                ShowNewVarieties(saver);
            }
            saver.Update();
            saver.Draw();
            Flip(0);
            frames.push_back(GrabBackBuffer(0, 0, kWidth, kHeight));
        }
        CloseDisplay();
        SelectDriver(nullptr, 0);
        return frames;
    }

    TSaver saver;
    int partialFrames = 0;
};

} // namespace

TEST_P(DamageFramesTest, EqualTheFramesDrawnWhole) {
    const Case c = {std::get<0>(GetParam()), std::get<1>(GetParam()), std::get<2>(GetParam()), std::get<3>(GetParam())};
    const std::vector<PixmapPtr> damaged = Show(c, false);
    const int partial = partialFrames;
    const std::vector<PixmapPtr> whole = Show(c, true);
    ASSERT_EQ(damaged.size(), whole.size());
    int changing = 0;
    for (size_t i = 0; i < whole.size(); ++i) {
        ASSERT_TRUE(damaged[i] && whole[i]);
        const size_t bytes = static_cast<size_t>(whole[i]->pitch) * kHeight;
        ASSERT_EQ(std::memcmp(damaged[i]->pixels, whole[i]->pixels, bytes), 0) << "frame " << i;
        if (i > 0 && std::memcmp(whole[i]->pixels, whole[i - 1]->pixels, bytes) != 0) ++changing;
    }
    // The show moved: equal frames prove nothing when nothing changes.
    EXPECT_GT(changing, kFrames / 2);
    // And most frames were drawn in part: equal frames prove nothing when every frame is drawn whole.
    EXPECT_GT(partial, kFrames / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Shows, DamageFramesTest,
    ::testing::Combine(::testing::Values(Background::Black, Background::Trails, Background::Desktop), ::testing::Bool(),
                       ::testing::Values(MotionBounceBoth, MotionBounceVertical, MotionBounceHorizontal, MotionFall),
                       ::testing::Bool()),
    CaseName);
