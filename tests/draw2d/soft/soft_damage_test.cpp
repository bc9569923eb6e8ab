// What the software driver tells its presenter a frame changed: the whole first frame, then
// disjoint rectangles around what moved (nothing when nothing did), which are all a window that
// keeps its pixels needs to show every frame exactly.
#include "draw2d/soft/soft_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int32_t kWidth = 200, kHeight = 120;

// A window that keeps what it was shown and takes only the changed rectangles from each frame.
struct Screen {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight, 0);
    std::vector<DrawRect> changed;
    int mismatches = 0; // frames after which the screen differed from the back buffer
};

class Mirror : public SoftPresenter {
public:
    explicit Mirror(std::shared_ptr<Screen> screen) : screen_(std::move(screen)) {}
    int32_t Width() const override { return kWidth; }
    int32_t Height() const override { return kHeight; }
    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        PresentChanged(pixels, width, height, pitch, {{0, 0, width, height}});
    }
    void PresentChanged(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                        const std::vector<DrawRect>& changed) override {
        screen_->changed = changed;
        for (const DrawRect& r : changed)
            for (int32_t y = r.top; y < r.bottom; ++y)
                for (int32_t x = r.left; x < r.right; ++x)
                    screen_->pixels[static_cast<size_t>(y * kWidth + x)] = pixels[static_cast<size_t>(y * pitch + x)];
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                if (screen_->pixels[static_cast<size_t>(y * kWidth + x)] !=
                    pixels[static_cast<size_t>(y * pitch + x)]) {
                    ++screen_->mismatches;
                    return;
                }
    }

private:
    std::shared_ptr<Screen> screen_;
};

class MirrorHost : public SoftWindowHost {
public:
    explicit MirrorHost(std::shared_ptr<Screen> screen) : screen_(std::move(screen)) {}
    std::vector<TGraphicsMode> DisplayModes() override { return {}; }
    std::unique_ptr<SoftPresenter> OpenWindow(int32_t, int32_t, int32_t, int32_t) override {
        return std::make_unique<Mirror>(screen_);
    }
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t) override { return nullptr; }

private:
    std::shared_ptr<Screen> screen_;
};

DrawQuad Square(float x, float y, float side) {
    return {{{x, y, 0, 0}, {x + side, y, 1, 0}, {x + side, y + side, 1, 1}, {x, y + side, 0, 1}}};
}

class SoftDamage : public ::testing::Test {
protected:
    void SetUp() override {
        display_ = driver_->CreateDisplay(kWidth, kHeight, 32, 0, 0);
        driver_->SelectDisplay(display_.get());
    }
    void TearDown() override { driver_->SelectDisplay(nullptr); }

    // One frame: optionally cleared, then a half-transparent square.
    void Frame(bool clear, float x, float y) {
        if (clear) driver_->Clear({0, 0, kWidth, kHeight}, 0xFF102030u);
        QuadState state;
        state.blend = BlendAlpha;
        state.color = 0x80FF8000u;
        state.clip = {0, 0, kWidth, kHeight};
        const DrawQuad quad = Square(x, y, 20.5f);
        driver_->DrawQuads(nullptr, state, &quad, 1);
        driver_->Flip(0);
    }
    int64_t ChangedArea() const {
        int64_t area = 0;
        for (const DrawRect& r : screen_->changed)
            area += static_cast<int64_t>(r.right - r.left) * (r.bottom - r.top);
        return area;
    }
    bool Covers(int32_t x, int32_t y) const {
        for (const DrawRect& r : screen_->changed)
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
        return false;
    }

    std::shared_ptr<Screen> screen_ = std::make_shared<Screen>();
    DrawDriverPtr driver_ = SoftwareDriver(std::make_shared<MirrorHost>(screen_));
    std::unique_ptr<DriverDisplay> display_;
};

} // namespace

TEST_F(SoftDamage, AMovedSquareChangesOnlyAroundItsOldAndNewPlace) {
    Frame(true, 10, 10);
    ASSERT_EQ(screen_->changed.size(), 1u);
    EXPECT_EQ(ChangedArea(), int64_t{kWidth} * kHeight);

    Frame(true, 13.25f, 11);
    EXPECT_GT(ChangedArea(), 0);
    EXPECT_LT(ChangedArea(), int64_t{kWidth} * kHeight / 4);
    for (const auto& [x, y] : {std::pair{10, 10}, {30, 30}, {13, 11}, {33, 31}})
        EXPECT_TRUE(Covers(x, y)) << x << "," << y;
    // Disjoint: no pixel in two rectangles.
    for (size_t i = 0; i < screen_->changed.size(); ++i)
        for (size_t j = i + 1; j < screen_->changed.size(); ++j) {
            const DrawRect &a = screen_->changed[i], &b = screen_->changed[j];
            EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom);
        }

    // The same frame again changes nothing.
    Frame(true, 13.25f, 11);
    EXPECT_TRUE(screen_->changed.empty());

    // Far apart: two small places, not the span between them.
    Frame(true, 170, 90);
    EXPECT_LT(ChangedArea(), int64_t{kWidth} * kHeight / 4);
    EXPECT_EQ(screen_->mismatches, 0);
}

// A thin bar across the screen's diagonal changes the tiles along it, far fewer than its box holds,
// and the screen still equals every frame.
TEST_F(SoftDamage, ATiltedBarChangesAlongItselfNotItsWholeBox) {
    const auto bar = [&](float shift) {
        driver_->Clear({0, 0, kWidth, kHeight}, 0xFF000000u);
        QuadState state;
        state.blend = BlendAlpha;
        state.color = 0xC0FFFFFFu;
        state.clip = {0, 0, kWidth, kHeight};
        const DrawQuad quad = {{{shift, 0, 0, 0},
                                {shift + 6, 0, 1, 0},
                                {shift + 6 + kWidth * 0.8f, kHeight, 1, 1},
                                {shift + kWidth * 0.8f, kHeight, 0, 1}}};
        driver_->DrawQuads(nullptr, state, &quad, 1);
        driver_->Flip(0);
    };
    bar(0);
    bar(1.5f);
    EXPECT_GT(ChangedArea(), 0);
    EXPECT_LT(ChangedArea(), int64_t{kWidth} * kHeight * 2 / 5);
    for (const auto& [x, y] : {std::pair{3, 1}, {83, 60}, {160, 118}})
        EXPECT_TRUE(Covers(x, y)) << x << "," << y;
    EXPECT_FALSE(Covers(150, 10));
    EXPECT_FALSE(Covers(20, 110));
    bar(40);
    EXPECT_EQ(screen_->mismatches, 0);
}

// Without a clear each frame blends over the last, so even a square drawn at the same place keeps
// changing the pixels it covers; everything else stays as the frames before left it.
TEST_F(SoftDamage, TrailsKeepChangingWhereDrawnAndNowhereElse) {
    for (int i = 0; i < 6; ++i)
        Frame(i == 0, 40, 40);
    EXPECT_TRUE(Covers(45, 45));
    EXPECT_FALSE(Covers(150, 100));
    Frame(false, 100, 60);
    EXPECT_FALSE(Covers(45, 45));
    EXPECT_EQ(screen_->mismatches, 0);
}

// A frame larger than half the screen goes whole, as one rectangle.
TEST_F(SoftDamage, MostOfTheScreenChangedIsTheWholeFrame) {
    Frame(true, 10, 10);
    driver_->Clear({0, 0, kWidth, kHeight}, 0xFF000000u);
    driver_->Flip(0);
    ASSERT_EQ(screen_->changed.size(), 1u);
    EXPECT_EQ(ChangedArea(), int64_t{kWidth} * kHeight);
    EXPECT_EQ(screen_->mismatches, 0);
}
