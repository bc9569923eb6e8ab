// Driver choice, and what both host drivers do without an X display.
#include "draw2d/display_sequence.h"
#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/select/driver_select.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(DriverChoice, CpuRenderersAndMissingGlGoToTheRasterizer) {
    EXPECT_EQ(ChooseHostDriver(nullptr, "llvmpipe (LLVM 15.0.6, 256 bits)"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, "softpipe"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, "Mesa DRI swrast"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, ""), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, "AMD Radeon RX 6600 (radeonsi, navi23)"), HostDriverKind::OpenGL);
}

TEST(DriverChoice, EnvironmentForcesEitherAndIgnoresOtherValues) {
    EXPECT_EQ(ChooseHostDriver("gl", "llvmpipe"), HostDriverKind::OpenGL);
    EXPECT_EQ(ChooseHostDriver("gl", ""), HostDriverKind::OpenGL);
    EXPECT_EQ(ChooseHostDriver("soft", "Intel(R) UHD Graphics 620"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver("vulkan", "Intel(R) UHD Graphics 620"), HostDriverKind::OpenGL);
    EXPECT_EQ(ChooseHostDriver("", "llvmpipe"), HostDriverKind::Software);
}

TEST(DriverChoice, ProbesOnlyWhereTheServerCouldGiveHardwareGl) {
    const auto software = std::optional<HostDriverKind>(HostDriverKind::Software);
    // Xvfb and remote displays: no direct rendering, so no probe.
    EXPECT_EQ(ChooseHostDriverWithoutProbe(nullptr, false, nullptr), software);
    EXPECT_EQ(ChooseHostDriverWithoutProbe("gl", false, nullptr), HostDriverKind::OpenGL);
    // Direct rendering: only GL_RENDERER can tell, unless Mesa is told to render on the CPU.
    EXPECT_EQ(ChooseHostDriverWithoutProbe(nullptr, true, nullptr), std::nullopt);
    EXPECT_EQ(ChooseHostDriverWithoutProbe(nullptr, true, "0"), std::nullopt);
    EXPECT_EQ(ChooseHostDriverWithoutProbe(nullptr, true, "false"), std::nullopt);
    EXPECT_EQ(ChooseHostDriverWithoutProbe(nullptr, true, "1"), software);
    EXPECT_EQ(ChooseHostDriverWithoutProbe(nullptr, true, "True"), software);
    EXPECT_EQ(ChooseHostDriverWithoutProbe("soft", true, nullptr), software);
    EXPECT_EQ(ChooseHostDriverWithoutProbe("gl", true, "1"), HostDriverKind::OpenGL);
    EXPECT_EQ(ChooseHostDriverWithoutProbe("vulkan", true, nullptr), std::nullopt);
}

// Each test runs in its own process under CTest; without DISPLAY, SDL video cannot start.
class NoXDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
};

TEST_F(NoXDisplay, OpenDisplayGivesNullWithEitherDriver) {
    SelectDriver(OpenGLDriver(), BackBufferFlag);
    EXPECT_EQ(OpenDisplay(640, 480, 0, 0, 0), nullptr);
    EXPECT_EQ(OpenDisplay(640, 480, 32, 60, 0), nullptr);
    EXPECT_EQ(AttachDisplay(0x1234, 0), nullptr);
    SelectDriver(SoftwareDriver(SdlSoftWindowHost()), BackBufferFlag);
    EXPECT_EQ(OpenDisplay(640, 480, 0, 0, 0), nullptr);
    EXPECT_EQ(OpenDisplay(640, 480, 32, 0, 0), nullptr);
    EXPECT_EQ(AttachDisplay(0x1234, 0), nullptr);
    EXPECT_EQ(OpenGLRendererName(), "");
}

TEST_F(NoXDisplay, SelectionGivesADriverWhoseDisplaysFailQuietly) {
    unsetenv("CAPSARO_DRIVER");
    DrawDriverPtr driver = SelectHostDriver();
    ASSERT_TRUE(driver);
    EXPECT_STREQ(driver->Name(), "software");
    SelectDriver(driver, BackBufferFlag);
    EXPECT_EQ(OpenDisplay(320, 200, 0, 0, 0), nullptr);
    EXPECT_EQ(CountDisplayModes(), 0);
}

// An image drawn with one driver must get a new texture from the next: the old driver's texture
// means nothing to it (a GL texture handed to the rasterizer would be read as its own).
TEST(DriverSwitch, MakesEveryImageTextureStale) {
    SelectDriver(SoftwareDriver(), BackBufferFlag);
    ASSERT_TRUE(OpenDisplay(16, 16, 0, 0, 0));
    const ImagePtr image = CreateImage(4, 4, 1, 0);
    DrawImage(image, 0, 0);
    FlushDrawing();
    const uint32_t stamp = image->frames[0].sequence;
    EXPECT_EQ(stamp, DisplaySequence());
    SelectDriver(SoftwareDriver(), BackBufferFlag);
    EXPECT_NE(image->frames[0].sequence, DisplaySequence());
    CloseDisplay();
    SelectDriver(nullptr, 0);
}
