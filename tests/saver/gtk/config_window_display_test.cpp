// The real configuration window under X: `capsaro /c` started in a folder of its own, operated with
// xdotool, its settings file read afterwards. Every run is ended by the test (and killed if not).
#include "tests/support/files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

class ConfigWindowDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.CopyProgram();
        file = root / "Capsaro.cfg";
        std::ofstream(file, std::ios::binary) << kStored;
        // Away from where the window will open: no focus to lose yet.
        Shell("xdotool mousemove 5 5");
    }
    void TearDown() override { End(); }

    // Starts the dialog and waits for its window; false once the liveness limit has passed.
    bool Start() {
        child = fork();
        if (child == 0) {
            if (chdir(root.c_str()) != 0) _exit(120);
            execl((root / "capsaro").c_str(), "capsaro", "/c", static_cast<char*>(nullptr));
            _exit(121);
        }
        const bool shown = WaitUntil(
            [this] {
                window = ShellOutput("xdotool search --onlyvisible --name '^Capsaro$' 2>/dev/null | head -1");
                return !window.empty();
            },
            kLivenessLimit, std::chrono::milliseconds(50));
        if (!shown) return false;
        window.erase(window.find_last_not_of('\n') + 1);
        std::istringstream geometry(ShellOutput("xdotool getwindowgeometry --shell " + window));
        for (std::string line; std::getline(geometry, line);) {
            if (line.rfind("X=", 0) == 0) left = std::stoi(line.substr(2));
            if (line.rfind("Y=", 0) == 0) top = std::stoi(line.substr(2));
            if (line.rfind("WIDTH=", 0) == 0) width = std::stoi(line.substr(6));
            if (line.rfind("HEIGHT=", 0) == 0) height = std::stoi(line.substr(7));
        }
        // Without a window manager the focus follows the pointer: keep it over the dialog.
        Point(150, 120);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return true;
    }
    void Point(int x, int y) { Shell("xdotool mousemove " + std::to_string(left + x) + " " + std::to_string(top + y)); }
    // Keys go to the focused window; an earlier test's window may have taken the X focus with it
    // when it went, so the dialog is given the focus first.
    void Key(const std::string& key) { Shell("xdotool windowfocus --sync " + window + " key " + key); }
    void ClickAt(int x, int y) {
        Point(x, y);
        Shell("xdotool click 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    // Waits for the program to end, up to the liveness limit; kills it after that. True when it
    // ended by itself with status 0.
    bool End() {
        if (child <= 0) return true;
        int status = 0;
        if (WaitUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, kLivenessLimit,
                      std::chrono::milliseconds(20))) {
            child = 0;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        child = 0;
        return false;
    }

    static constexpr const char* kStored = "200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n";
    TempFolder folder{"dialog"};
    fs::path root = folder.Path();
    fs::path file;
    pid_t child = 0;
    std::string window;
    int left = 0, top = 0, width = 0, height = 0;
};

TEST_F(ConfigWindowDisplayTest, OpensWithA300By260ClientAreaAndCancelStoresNothing) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 260);
    // Centred on the screen.
    const std::string screen = ShellOutput("xdotool getdisplaygeometry");
    const int screenWidth = std::stoi(screen), screenHeight = std::stoi(screen.substr(screen.find(' ')));
    EXPECT_EQ(left, (screenWidth - 300) / 2);
    EXPECT_EQ(top, (screenHeight - 260) / 2);
    ClickAt(40, 18);   // the "Config" tab
    ClickAt(22, 72);   // "Use desktop as background"
    ClickAt(260, 242); // Cancel
    EXPECT_TRUE(End());
    EXPECT_EQ(ReadFileBytes(file), kStored);
}

TEST_F(ConfigWindowDisplayTest, TickingUseDesktopAndOkStoresExactlyThatSetting) {
    ASSERT_TRUE(Start());
    ClickAt(40, 18);
    ClickAt(22, 72);
    const std::string shots = std::string(CAPSARO_BINARY_DIR) + "/dialog-config.png";
    Shell("import -window root -crop 300x260+" + std::to_string(left) + "+" + std::to_string(top) + " " + shots);
    ClickAt(185, 242); // OK
    EXPECT_TRUE(End());
    EXPECT_EQ(ReadFileBytes(file), "200\r\n0.500000000\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
}

TEST_F(ConfigWindowDisplayTest, EscapeCancelsAndEnterIsOk) {
    ASSERT_TRUE(Start());
    ClickAt(40, 18);
    ClickAt(22, 72);
    Key("Escape");
    EXPECT_TRUE(End());
    EXPECT_EQ(ReadFileBytes(file), kStored);

    ASSERT_TRUE(Start());
    ClickAt(40, 18);
    ClickAt(22, 72);
    // The ticked box has the focus; Enter is OK all the same.
    Key("Return");
    EXPECT_TRUE(End());
    EXPECT_EQ(ReadFileBytes(file), "200\r\n0.500000000\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
}

} // namespace
