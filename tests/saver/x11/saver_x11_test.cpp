// The full-screen saver and the preview for real under X: drawing, the exit rules driven with
// xdotool, F12 screenshots, the desktop copy, the running flag, signals, and a preview inside a
// window of another process that goes away.
#include "program_run.h"
#include "screen_watch.h"

#include "saver/x11/x11_platform.h"
#include "tests/support/wait_until.h"

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

// Share of the screen's pixels (every second one each way) for which `match` holds.
double ShareOfScreen(const std::function<bool(uint32_t)>& match) {
    return ScreenShare(WholeScreen(), match, 2);
}

bool IsDesktopBlue(uint32_t rgb);

// Waits until the screen shows a frame of the show: pixels that are neither the desktop's blue
// nor black (the show's background) are chillies. The saver reads input from then on (it drops
// what came before its first frame).
bool WaitForChillies() {
    return WaitForScreen(
        [] { return ShareOfScreen([](uint32_t rgb) { return rgb != 0 && !IsDesktopBlue(rgb); }) > 0; });
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
    ASSERT_TRUE(WaitForChillies()) << Output();
    ASSERT_TRUE(saver->Running()) << Output();
    // The desktop is covered: black background with chillies, none of the root's blue left.
    EXPECT_LT(ShareOfScreen(IsDesktopBlue), 0.001);
    EXPECT_GT(ShareOfScreen([](uint32_t rgb) { return rgb != 0; }), 0.02);
    // A one-pixel move must not end it: some time to react, then proof that it still draws (so
    // it has read its input since) and runs.
    ShellOutput("xdotool mousemove_relative 1 1");
    Sleep(400);
    EXPECT_TRUE(WaitForNewFrames(WholeScreen()));
    EXPECT_TRUE(saver->Running());
    ShellOutput("xdotool mousemove_relative -- 3 0");
    int status = -1;
    EXPECT_TRUE(saver->WaitFor(kLivenessLimit, status));
    EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, AClickEndsIt) {
    auto saver = Start({"/s"});
    ASSERT_TRUE(WaitForChillies()) << Output();
    ASSERT_TRUE(saver->Running()) << Output();
    ShellOutput("xdotool click 1");
    int status = -1;
    EXPECT_TRUE(saver->WaitFor(kLivenessLimit, status));
    EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, F12SavesTheScreenBesideTheProgramAndEnds) {
    auto saver = Start({"/s"});
    ASSERT_TRUE(WaitForChillies()) << Output();
    ASSERT_TRUE(saver->Running()) << Output();
    ShellOutput("xdotool key F12");
    int status = -1;
    ASSERT_TRUE(saver->WaitFor(kLivenessLimit, status));
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
    ASSERT_TRUE(WaitForChillies()) << Output();
    ASSERT_TRUE(saver->Running()) << Output();
    EXPECT_GT(ShareOfScreen(IsDesktopBlue), 0.9);
    saver->Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(saver->WaitFor(kLivenessLimit, status));
    EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, ASecondSaverEndsByItselfWhileOneRuns) {
    auto first = Start({"/s"});
    ASSERT_TRUE(WaitForChillies()) << Output();
    ASSERT_TRUE(first->Running()) << Output();
    ProgramRun second((folder / "capsaro").string(), {"/S"}, folder.string(), (folder / "second.txt").string());
    int status = -1;
    EXPECT_TRUE(second.WaitFor(kLivenessLimit, status));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(first->Running());
    first->Signal(SIGTERM);
    EXPECT_TRUE(first->WaitFor(kLivenessLimit, status));
}

TEST_F(SaverX11Test, PreviewDrawsInAnotherProcesssWindowIgnoresInputAndEndsWithIt) {
    for (int round = 0; round < 20; ++round) {
        int fds[2];
        ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
        // The last round's host wrote its window there: only the new host's id may be read.
        fs::remove(folder / "host.txt");
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
        WaitUntil(
            [&] {
                std::ifstream in(folder / "host.txt");
                std::getline(in, id);
                return !id.empty();
            },
            kLivenessLimit, milliseconds(10));
        ASSERT_FALSE(id.empty());
        auto preview = Start({"/p", id});
        if (round == 0) {
            // Drawn: the host's white is covered by the black background of the show.
            std::string colour;
            WaitForScreen([&] {
                colour = ShellOutput("import -window root -crop 4x4+20+20 -format '%[pixel:p{1,1}]' info:");
                return colour.find("white") == std::string::npos;
            });
            EXPECT_EQ(colour.find("white"), std::string::npos) << colour;
            ASSERT_TRUE(preview->Running()) << Output();
            // Input must not end it: some time to react, then proof that it still draws.
            ShellOutput("xdotool mousemove 60 60 click 1 key space");
            Sleep(200);
            EXPECT_TRUE(WaitForNewFrames({0, 0, 200, 160}));
            EXPECT_TRUE(preview->Running());
        } else {
            // The window goes at a different moment of the preview's start each round.
            Sleep(250);
            ASSERT_TRUE(preview->Running()) << "round " << round << ": " << Output();
        }
        close(fds[1]); // the host destroys its window
        int status = -1;
        EXPECT_TRUE(preview->WaitFor(kLivenessLimit, status)) << "round " << round;
        EXPECT_EQ(status, 0) << "round " << round << ": " << Output();
        waitpid(host, nullptr, 0);
    }
}

// How soon it ends is measured in bench/saver_x11 (SigtermToExit).
TEST_F(SaverX11Test, PreviewEndsCleanlyOnSigterm) {
    // The root window as the host: a window that never goes away.
    const std::string info = ShellOutput("xwininfo -root | sed -n 's/.*Window id: \\(0x[0-9a-f]*\\).*/\\1/p'");
    auto preview = Start({"/p", std::to_string(std::stoul(info, nullptr, 16))});
    ASSERT_TRUE(WaitForChillies()) << Output();
    ASSERT_TRUE(preview->Running()) << Output();
    preview->Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(preview->WaitFor(kLivenessLimit, status));
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
