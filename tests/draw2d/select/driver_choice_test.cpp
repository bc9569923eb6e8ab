// The portable driver decision (CPU renderers, forcing, when no probe is needed) and the driver
// made on first use; they run in every host's build.
#include "draw2d/display_sequence.h"
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/select/driver_choice.h"
#include "draw2d/soft/soft_driver.h"

#include <gtest/gtest.h>

TEST(DriverChoice, CpuRenderersAndMissingGlGoToTheRasterizer) {
    EXPECT_EQ(ChooseHostDriver(nullptr, "llvmpipe (LLVM 15.0.6, 256 bits)"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, "softpipe"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, "Mesa DRI swrast"), HostDriverKind::Software);
    // Windows' own GL 1.1, where no vendor driver is installed.
    EXPECT_EQ(ChooseHostDriver(nullptr, "GDI Generic"), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, ""), HostDriverKind::Software);
    EXPECT_EQ(ChooseHostDriver(nullptr, "AMD Radeon RX 6600 (radeonsi, navi23)"), HostDriverKind::OpenGL);
    EXPECT_EQ(ChooseHostDriver(nullptr, "NVIDIA GeForce RTX 3060/PCIe/SSE2"), HostDriverKind::OpenGL);
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

// The choice waits for the driver's first real use: unbinding at shut-down is not one; after that
// every call goes to the one driver made.
TEST(DeferredDriver, MakesTheDriverOnceAndOnlyWhenUsed) {
    int made = 0;
    DrawDriverPtr deferred = DeferredDriver([&made] {
        ++made;
        return SoftwareDriver();
    });
    deferred->SelectDisplay(nullptr);
    EXPECT_EQ(made, 0);
    EXPECT_STREQ(deferred->Name(), "software");
    EXPECT_EQ(made, 1);
    SelectDriver(deferred, BackBufferFlag);
    ASSERT_TRUE(OpenDisplay(8, 8, 0, 0, 0));
    SetClearColor(10, 20, 30);
    ClearBackBuffer();
    const PixmapPtr frame = GrabBackBuffer(0, 0, 1, 1);
    ASSERT_TRUE(frame);
    EXPECT_EQ(ReadPixel(*frame, 0, 0) & 0xFFFFFF, 0x0A141Eu);
    CloseDisplay();
    SelectDriver(nullptr, 0);
    EXPECT_EQ(made, 1);
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
