// A screenshot that cannot be written whole: the file size limit stands in for a full disk (a
// write past it fails as a write to a full file system does), so no privileges are needed.
#include "saver/full_screen.h"
#include "tests/support/temp_folder.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/png_io.h"
#include "draw2d/soft/soft_driver.h"
#include "runtime/random.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// Writes past `bytes` fail (without the signal that would end the process) while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};

// A picture that compresses badly, so its PNG is well over a few hundred bytes.
PixmapPtr Noise() {
    PixmapPtr pixmap = CreatePixmap(64, 64, FormatRGBA8888, 4);
    SeedRandom(7);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x)
            WritePixel(*pixmap, x, y, 0xFF000000u | static_cast<uint32_t>(RandomInt(0, 0xFFFFFF)));
    return pixmap;
}

} // namespace

TEST(ScreenshotOnAFullDisk, AFailedSaveReportsZeroAndLeavesNoFile) {
    const TempFolder folder("full-png");
    const fs::path file = folder / "x.png";
    {
        const FileSizeLimit full(200);
        EXPECT_EQ(SavePixmapPng(*Noise(), file.string(), 5), 0);
    }
    EXPECT_FALSE(fs::exists(file));
    // A device that fails every write stays where it is.
    EXPECT_EQ(SavePixmapPng(*Noise(), "/dev/full", 5), 0);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    // With room again the same name is written.
    EXPECT_EQ(SavePixmapPng(*Noise(), file.string(), 5), 1);
    EXPECT_TRUE(fs::is_regular_file(file));
}

TEST(ScreenshotOnAFullDisk, F12SaysNothingOnStandardOutputAndTheNextTryTakesTheSameName) {
    const TempFolder folder("full-shot");
    const fs::path before = fs::current_path();
    fs::current_path(folder.Path());
    SelectDriver(SoftwareDriver(), BackBufferFlag);
    ASSERT_TRUE(OpenDisplay(64, 48, 32, 0, 0));
    for (int32_t i = 0; i < 40; ++i) {
        SetColor(static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 91), static_cast<uint8_t>(i * 13));
        DrawText("chilli", static_cast<float>(i % 7) * 9, static_cast<float>(i % 3) * 16);
    }
    {
        const FileSizeLimit full(100);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        SaveScreenshot();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Capsaro000.png"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(folder / "Capsaro000.png"));
    testing::internal::CaptureStdout();
    SaveScreenshot();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Screenshot saved as Capsaro000.png\n");
    EXPECT_TRUE(fs::is_regular_file(folder / "Capsaro000.png"));
    CloseDisplay();
    SelectDriver(nullptr, 0);
    fs::current_path(before);
}
