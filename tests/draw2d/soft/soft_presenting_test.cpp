// The software driver with a window host whose presenter owns the frame memory and reads it late
// (as an X server reading a shared segment does): frames are drawn straight into that memory, a
// frame is never overwritten before it was read, and a growing window gets bigger memory that
// keeps its pixels.
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

// What the test sees of its presenter.
struct Window {
    int32_t width = 40, height = 30;
    std::vector<std::vector<uint32_t>> memories; // every FrameMemory handed out, the last one live
    std::vector<std::pair<int32_t, int32_t>> memorySizes;
    std::map<int, uint32_t> shown; // the pixel at (0, 0) of each frame by its number, as read
    int presents = 0;
    int foreignPresents = 0; // Present calls with pixels that were not the presenter's memory
};

class LateReader : public SoftPresenter {
public:
    explicit LateReader(std::shared_ptr<Window> window) : window_(std::move(window)) {}
    int32_t Width() const override { return window_->width; }
    int32_t Height() const override { return window_->height; }
    uint32_t* FrameMemory(int32_t width, int32_t height, int32_t& pitch) override {
        std::vector<uint32_t> made(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
        if (!window_->memories.empty()) {
            const auto& [oldWidth, oldHeight] = window_->memorySizes.back();
            const std::vector<uint32_t>& old = window_->memories.back();
            for (int32_t y = 0; y < std::min(height, oldHeight); ++y)
                for (int32_t x = 0; x < std::min(width, oldWidth); ++x)
                    made[static_cast<size_t>(y * width + x)] = old[static_cast<size_t>(y * oldWidth + x)];
        }
        window_->memories.push_back(std::move(made));
        window_->memorySizes.emplace_back(width, height);
        pitch = width;
        return window_->memories.back().data();
    }
    // Reads nothing now: the frame is read at the latest moment allowed, the next wait.
    void Present(const uint32_t* pixels, int32_t, int32_t, int32_t) override {
        WaitPresented();
        if (window_->memories.empty() || pixels != window_->memories.back().data()) ++window_->foreignPresents;
        pending_ = pixels;
        pendingFrame_ = window_->presents++;
    }
    void WaitPresented() override {
        if (pending_) window_->shown[pendingFrame_] = pending_[0];
        pending_ = nullptr;
    }

private:
    std::shared_ptr<Window> window_;
    const uint32_t* pending_ = nullptr;
    int pendingFrame_ = 0;
};

class LateReaderHost : public SoftWindowHost {
public:
    explicit LateReaderHost(std::shared_ptr<Window> window) : window_(std::move(window)) {}
    std::vector<TGraphicsMode> DisplayModes() override { return {}; }
    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t, int32_t) override {
        window_->width = width;
        window_->height = height;
        return std::make_unique<LateReader>(window_);
    }
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t) override { return std::make_unique<LateReader>(window_); }

private:
    std::shared_ptr<Window> window_;
};

class SoftPresenting : public ::testing::Test {
protected:
    void SetUp() override { SelectDriver(SoftwareDriver(std::make_shared<LateReaderHost>(window_)), BackBufferFlag); }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
    void ClearTo(int32_t r, int32_t g, int32_t b) {
        SetClearColor(r, g, b);
        ClearBackBuffer();
    }
    uint32_t Pixel(int32_t x, int32_t y) { return ReadPixel(*GrabBackBuffer(x, y, 1, 1), 0, 0) & 0xFFFFFF; }

    std::shared_ptr<Window> window_ = std::make_shared<Window>();
};

} // namespace

TEST_F(SoftPresenting, AFrameIsReadBeforeTheNextOneIsDrawnOverIt) {
    GraphicsPtr graphics = OpenDisplay(64, 48, 0, 0, 0);
    ASSERT_TRUE(graphics);
    SelectDisplay(graphics);
    const int red = window_->presents;
    ClearTo(255, 0, 0);
    Flip(0);
    ClearTo(0, 0, 255);
    Flip(0);
    ClearTo(0, 255, 0);
    EXPECT_EQ(Pixel(0, 0), 0x00FF00u); // finishing the green frame waits for the blue one's reading
    ASSERT_EQ(window_->presents, red + 2);
    ASSERT_EQ(window_->shown.count(red + 1), 1u);
    EXPECT_EQ(window_->shown[red] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(window_->shown[red + 1] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(window_->memorySizes.size(), 1u);
    EXPECT_EQ(window_->foreignPresents, 0);
}

TEST_F(SoftPresenting, AGrowingWindowGetsBiggerMemoryKeepingItsPixels) {
    GraphicsPtr graphics = AttachDisplay(7, 0);
    ASSERT_TRUE(graphics);
    SelectDisplay(graphics);
    ClearTo(255, 0, 0);
    Flip(0);
    window_->width = 80;
    window_->height = 50;
    SetViewport(70, 45, 5, 5);
    ClearTo(0, 255, 0);
    Flip(0);
    ASSERT_EQ(window_->memorySizes.size(), 2u);
    EXPECT_EQ(window_->memorySizes.back(), std::make_pair(80, 50));
    EXPECT_EQ(Pixel(10, 10), 0xFF0000u); // kept from the smaller frame
    EXPECT_EQ(Pixel(72, 47), 0x00FF00u); // drawn in the new area
    EXPECT_EQ(Pixel(60, 10), 0x000000u); // new and untouched
    EXPECT_EQ(window_->foreignPresents, 0);
}
