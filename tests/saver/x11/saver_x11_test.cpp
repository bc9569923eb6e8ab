// The full-screen saver and the preview for real under X: drawing, the exit rules driven with
// xdotool, F12 screenshots, the desktop copy, the running flag, signals, and a preview inside a
// window of another process that goes away.
#include "program_run.h"

#include "saver/x11/x11_platform.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

void Sleep(int ms) {
    std::this_thread::sleep_for(milliseconds(ms));
}

// Share of the screen's pixels for which `match` holds.
template <typename Match> double ScreenShare(Match match) {
    const PixmapPtr screen = MakeX11Platform()->CaptureDesktop();
    if (!screen) return -1;
    size_t hits = 0;
    for (int32_t y = 0; y < screen->height; y += 2)
        for (int32_t x = 0; x < screen->width; x += 2)
            hits += match(ReadPixel(*screen, x, y) & 0xFFFFFF);
    return static_cast<double>(hits) / (static_cast<double>(screen->width / 2) * (screen->height / 2));
}

class SaverX11Test : public ::testing::Test, protected ProgramFolder {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        MakeProgramFolder("x11");
        ShellOutput("xsetroot -solid '#204080'");
        ShellOutput("xdotool mousemove 200 200");
    }
    // Writes the eight settings lines: count, scale, desktop, names, shadows, change, mode, clear.
    void Settings(const std::string& lines) { std::ofstream(folder / "Capsaro.cfg", std::ios::binary) << lines; }
};

bool IsDesktopBlue(uint32_t rgb) {
    return rgb == 0x204080u;
}

} // namespace

TEST_F(SaverX11Test, FullScreenDrawsAndEndsOnATwoPixelMoveNotOnOne) {
    Settings("300\r\n0.5\r\n0\r\n0\r\n0\r\n0\r\n1\r\n1\r\n");
    auto saver = Start({"/s"});
    Sleep(1500);
    ASSERT_TRUE(saver->Running()) << Output();
    // The desktop is covered: black background with chillies, none of the root's blue left.
    EXPECT_LT(ScreenShare(IsDesktopBlue), 0.001);
    EXPECT_GT(ScreenShare([](uint32_t rgb) { return rgb != 0; }), 0.02);
    ShellOutput("xdotool mousemove_relative 1 1");
    Sleep(400);
    EXPECT_TRUE(saver->Running());
    ShellOutput("xdotool mousemove_relative -- 3 0");
    int status = -1;
    EXPECT_TRUE(saver->WaitFor(milliseconds(1500), status));
    EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, AClickEndsIt) {
    auto saver = Start({"/s"});
    Sleep(1000);
    ASSERT_TRUE(saver->Running()) << Output();
    ShellOutput("xdotool click 1");
    int status = -1;
    EXPECT_TRUE(saver->WaitFor(milliseconds(1500), status));
    EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, F12SavesTheScreenBesideTheProgramAndEnds) {
    auto saver = Start({"/s"});
    Sleep(1000);
    ASSERT_TRUE(saver->Running()) << Output();
    ShellOutput("xdotool key F12");
    int status = -1;
    ASSERT_TRUE(saver->WaitFor(milliseconds(2000), status));
    EXPECT_EQ(status, 0);
    EXPECT_NE(Output().find("Screenshot saved as Capsaro000.png\n"), std::string::npos) << Output();
    const std::string identify =
        ShellOutput("identify -format '%w %h %[bit-depth] %[channels]' '" + (folder / "Capsaro000.png").string() + "'");
    ScreenCaps caps;
    ASSERT_TRUE(MakeX11Platform()->Screen(caps));
    const std::string size = std::to_string(caps.width) + " " + std::to_string(caps.height);
    EXPECT_EQ(identify.substr(0, identify.find(' ', identify.find(' ') + 1)), size);
    EXPECT_NE(identify.find(" 8 srgb"), std::string::npos) << identify;
}

TEST_F(SaverX11Test, UseDesktopShowsTheDesktopsColours) {
    Settings("5\r\n0.2\r\n1\r\n0\r\n0\r\n0\r\n1\r\n1\r\n");
    auto saver = Start({"/s"});
    Sleep(1200);
    ASSERT_TRUE(saver->Running()) << Output();
    EXPECT_GT(ScreenShare(IsDesktopBlue), 0.9);
    saver->Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(saver->WaitFor(milliseconds(500), status));
    EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, ASecondSaverReturnsAtOnceWhileOneRuns) {
    auto first = Start({"/s"});
    Sleep(1000);
    ASSERT_TRUE(first->Running()) << Output();
    ProgramRun second((folder / "capsaro").string(), {"/S"}, folder.string(), (folder / "second.txt").string());
    int status = -1;
    EXPECT_TRUE(second.WaitFor(milliseconds(800), status));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(first->Running());
    first->Signal(SIGTERM);
    EXPECT_TRUE(first->WaitFor(milliseconds(500), status));
}

TEST_F(SaverX11Test, PreviewDrawsInAnotherProcesssWindowIgnoresInputAndEndsWithIt) {
    for (int round = 0; round < 20; ++round) {
        int fds[2];
        ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
        const pid_t host = fork();
        if (host == 0) {
            dup2(fds[0], 0);
            const int out = open((folder / "host.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, 1);
            execl(HOST_WINDOW_PROGRAM, HOST_WINDOW_PROGRAM, "152", "112", static_cast<char*>(nullptr));
            _exit(121);
        }
        close(fds[0]);
        std::string id;
        for (int wait = 0; wait < 200 && id.empty(); ++wait, Sleep(10)) {
            std::ifstream in(folder / "host.txt");
            std::getline(in, id);
        }
        ASSERT_FALSE(id.empty());
        auto preview = Start({"/p", id});
        Sleep(round == 0 ? 800 : 250);
        ASSERT_TRUE(preview->Running()) << Output();
        if (round == 0) {
            // Drawn: the host's white is covered by the black background of the show.
            const std::string colour =
                ShellOutput("import -window root -crop 4x4+20+20 -format '%[pixel:p{1,1}]' info:");
            EXPECT_EQ(colour.find("white"), std::string::npos) << colour;
            ShellOutput("xdotool mousemove 60 60 click 1 key space");
            Sleep(200);
            EXPECT_TRUE(preview->Running());
        }
        close(fds[1]); // the host destroys its window
        int status = -1;
        EXPECT_TRUE(preview->WaitFor(milliseconds(1000), status)) << "round " << round;
        EXPECT_EQ(status, 0) << "round " << round << ": " << Output();
        waitpid(host, nullptr, 0);
    }
}

TEST_F(SaverX11Test, PreviewEndsSoonAfterSigterm) {
    // The root window as the host: a window that never goes away.
    const std::string info = ShellOutput("xwininfo -root | sed -n 's/.*Window id: \\(0x[0-9a-f]*\\).*/\\1/p'");
    auto preview = Start({"/p", std::to_string(std::stoul(info, nullptr, 16))});
    Sleep(600);
    ASSERT_TRUE(preview->Running()) << Output();
    const auto sent = std::chrono::steady_clock::now();
    preview->Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(preview->WaitFor(milliseconds(1000), status));
    EXPECT_LT(std::chrono::steady_clock::now() - sent, milliseconds(150));
    EXPECT_EQ(status, 0);
}

TEST(X11Platform, CaptureKeepsRedAndBlueInPlaceWithFullAlpha) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
    ShellOutput("xsetroot -solid '#ff0000'");
    const auto platform = MakeX11Platform();
    const PixmapPtr screen = platform->CaptureDesktop();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->format, FormatRGBA8888);
    EXPECT_EQ(ReadPixel(*screen, 5, 5), 0xFFFF0000u);
    ScreenCaps caps;
    ASSERT_TRUE(platform->Screen(caps));
    EXPECT_EQ(caps.width, screen->width);
    EXPECT_EQ(caps.refresh, 60); // the server reports no rate
    TRect rect;
    EXPECT_FALSE(platform->ClientRect(0x7fffffff, rect));
    EXPECT_EQ(rect.Right, 0);
    ShellOutput("xsetroot -solid '#204080'");
}
