// The registry of software canvases: ids that cannot be taken for native windows, presenters only
// for canvases registered now, registrations that end with their owner (moves included), and the
// software driver attaching a display to a canvas through the canvas-only window host.
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_canvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

// What the test sees of a canvas: its size and the frames shown on it.
struct Canvas {
    int32_t width = 24, height = 16;
    int made = 0;
    std::vector<std::vector<uint32_t>> frames;
};

class CanvasPresenter : public SoftPresenter {
public:
    explicit CanvasPresenter(std::shared_ptr<Canvas> canvas) : canvas_(std::move(canvas)) {}
    int32_t Width() const override { return canvas_->width; }
    int32_t Height() const override { return canvas_->height; }
    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        std::vector<uint32_t> frame;
        for (int32_t y = 0; y < height; ++y)
            frame.insert(frame.end(), pixels + y * pitch, pixels + y * pitch + width);
        canvas_->frames.push_back(std::move(frame));
    }

private:
    std::shared_ptr<Canvas> canvas_;
};

SoftCanvasRegistration Register(const std::shared_ptr<Canvas>& canvas) {
    return SoftCanvasRegistration([canvas] {
        ++canvas->made;
        return std::make_unique<CanvasPresenter>(canvas);
    });
}

} // namespace

TEST(SoftCanvas, IdsAreDistinctAndAboveEveryNativeWindowId) {
    auto canvas = std::make_shared<Canvas>();
    const SoftCanvasRegistration first = Register(canvas), second = Register(canvas);
    EXPECT_NE(first.Id(), second.Id());
    EXPECT_TRUE(IsSoftCanvasId(first.Id()));
    EXPECT_TRUE(IsSoftCanvasId(second.Id()));
    // The largest X window id and the largest 32-bit window handle are no canvases.
    EXPECT_FALSE(IsSoftCanvasId(0x1FFFFFFFu));
    EXPECT_FALSE(IsSoftCanvasId(0xFFFFFFFFu));
    EXPECT_FALSE(IsSoftCanvasId(0));
}

TEST(SoftCanvas, APresenterIsMadeForEachAttachOfARegisteredCanvasOnly) {
    auto canvas = std::make_shared<Canvas>();
    uint64_t id = 0;
    {
        const SoftCanvasRegistration registration = Register(canvas);
        id = registration.Id();
        EXPECT_TRUE(PresenterForCanvas(id));
        EXPECT_TRUE(PresenterForCanvas(id));
        EXPECT_EQ(canvas->made, 2);
        EXPECT_FALSE(PresenterForCanvas(id + 1));
        EXPECT_FALSE(PresenterForCanvas(0));
    }
    // Ended with its owner; the id is not handed out again.
    EXPECT_FALSE(PresenterForCanvas(id));
    const SoftCanvasRegistration later = Register(canvas);
    EXPECT_NE(later.Id(), id);
    EXPECT_EQ(canvas->made, 2);
}

TEST(SoftCanvas, ARegistrationMovesWithItsOwnerAndEmptyOnesHoldNone) {
    auto canvas = std::make_shared<Canvas>();
    SoftCanvasRegistration moved;
    EXPECT_EQ(moved.Id(), 0u);
    uint64_t id = 0;
    {
        SoftCanvasRegistration original = Register(canvas);
        id = original.Id();
        moved = std::move(original);
        EXPECT_EQ(original.Id(), 0u); // a moved-from registration holds none
    }
    // The moved-from registration's end left the canvas registered.
    EXPECT_EQ(moved.Id(), id);
    EXPECT_TRUE(PresenterForCanvas(id));
    // Taking another registration ends the one held before.
    SoftCanvasRegistration other = Register(canvas);
    const uint64_t otherId = other.Id();
    moved = std::move(other);
    EXPECT_FALSE(PresenterForCanvas(id));
    EXPECT_TRUE(PresenterForCanvas(otherId));
    // Neither an empty factory nor one that gives no presenter attaches anything.
    EXPECT_EQ(SoftCanvasRegistration(SoftCanvasPresenters()).Id(), 0u);
    const SoftCanvasRegistration failing([] { return std::unique_ptr<SoftPresenter>(); });
    EXPECT_FALSE(PresenterForCanvas(failing.Id()));
}

class SoftCanvasDisplay : public ::testing::Test {
protected:
    void SetUp() override { SelectDriver(SoftwareDriver(SoftCanvasWindowHost()), BackBufferFlag); }
    void TearDown() override {
        SelectDisplay(nullptr);
        SelectDriver(nullptr, 0);
    }
};

TEST_F(SoftCanvasDisplay, TheDriverDrawsIntoARegisteredCanvasAtItsSize) {
    auto canvas = std::make_shared<Canvas>();
    const SoftCanvasRegistration registration = Register(canvas);
    GraphicsPtr graphics = AttachDisplay(registration.Id(), 0);
    ASSERT_TRUE(graphics);
    EXPECT_EQ(graphics->Width(), 24);
    EXPECT_EQ(graphics->Height(), 16);
    SelectDisplay(graphics);
    SetClearColor(255, 0, 0);
    ClearBackBuffer();
    Flip(0);
    ASSERT_FALSE(canvas->frames.empty());
    const std::vector<uint32_t>& frame = canvas->frames.back();
    ASSERT_EQ(frame.size(), 24u * 16u);
    EXPECT_EQ(frame.front() & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(frame.back() & 0xFFFFFF, 0xFF0000u);
}

TEST_F(SoftCanvasDisplay, TheCanvasHostHasNoWindowsOfItsOwn) {
    EXPECT_FALSE(AttachDisplay(0x400001, 0));
    EXPECT_FALSE(OpenDisplay(64, 48, 0, 0, 0));
    EXPECT_EQ(CountDisplayModes(), 0);
}
