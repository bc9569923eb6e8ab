// Where F12's screenshot goes when the program's folder takes no new file: into the user's
// settings folder, as the settings do. A removed current folder stands in for a folder the user
// may not write to (no file can be made in it, even by root).
#include "saver/full_screen.h"
#include "tests/support/temp_folder.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

class ScreenshotFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        if (xdg) savedXdg = xdg;
        hadXdg = xdg != nullptr;
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        before = fs::current_path();
        SelectDriver(SoftwareDriver(), BackBufferFlag);
        ASSERT_TRUE(OpenDisplay(64, 48, 32, 0, 0));
        SetColor(255, 0, 0);
        DrawText("F12", 4, 4);
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
        fs::current_path(before);
        if (hadXdg)
            setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    TempFolder config{"shot-config"};
    fs::path before;
    std::string savedXdg;
    bool hadXdg = false;
};

TEST_F(ScreenshotFolder, AWritableProgramFolderKeepsItsScreenshots) {
    const TempFolder program("shot-program");
    fs::current_path(program.Path());
    testing::internal::CaptureStdout();
    SaveScreenshot();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Screenshot saved as Capsaro000.png\n");
    EXPECT_TRUE(fs::is_regular_file(program / "Capsaro000.png"));
    EXPECT_FALSE(fs::exists(config / "capsaro"));
}

TEST_F(ScreenshotFolder, WhereTheProgramFolderTakesNoFileTheyGoToTheSettingsFolderNumbered) {
    const TempFolder program("shot-gone");
    const fs::path gone = program / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    const fs::path folder = config / "capsaro";
    testing::internal::CaptureStdout();
    SaveScreenshot();
    SaveScreenshot();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Screenshot saved as " + (folder / "Capsaro000.png").string() +
                                                          "\nScreenshot saved as " +
                                                          (folder / "screen001.png").string() + "\n");
    EXPECT_TRUE(fs::is_regular_file(folder / "Capsaro000.png"));
    EXPECT_TRUE(fs::is_regular_file(folder / "screen001.png"));
}

} // namespace
