// Every mode of the program on an X server of the test's own that is then killed: the program
// must end, with status 0, and leave the running flag free.
#include "program_run.h"
#include "screen_watch.h"

#include "saver/running_lock.h"
#include "saver/x11/x11_platform.h"
#include "tests/support/wait_until.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
// Last: Xlib's macros clash with GoogleTest's names.
#include <X11/Xlib.h>

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

bool ScreenDiffers(const TPixmap& a, const TPixmap& b) {
    for (int32_t y = 0; y < a.height; y += 2)
        for (int32_t x = 0; x < a.width; x += 2)
            if (ReadPixel(a, x, y) != ReadPixel(b, x, y)) return true;
    return false;
}

class XServerLossTest : public ::testing::Test, protected ProgramFolder {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs Xvfb";
        MakeProgramFolder("xloss");
        for (int n = 150; n < 200 && !server_; ++n)
            TryServerOn(n);
        ASSERT_TRUE(server_) << "no Xvfb of the test's own started";
        saved_ = std::getenv("DISPLAY");
        setenv("DISPLAY", display_.c_str(), 1);
    }
    // Starts an Xvfb on display `n` and keeps it once the display's lock names it: a test running
    // beside this one may take the same free number first, and its server must not become ours.
    // The server never resets: it would drop a client still connecting when another one leaves.
    void TryServerOn(int n) {
        const std::string number = std::to_string(n);
        if (fs::exists("/tmp/.X11-unix/X" + number) || fs::exists("/tmp/.X" + number + "-lock")) return;
        auto server = std::make_unique<ProgramRun>(
            "/usr/bin/Xvfb",
            std::vector<std::string>{":" + number, "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset"},
            folder.string(), (folder / "xvfb.txt").string());
        const std::string ours = std::to_string(server->Pid());
        const auto lockOwner = [&] {
            std::ifstream lock("/tmp/.X" + number + "-lock");
            std::string pid;
            lock >> pid;
            return pid;
        };
        WaitUntil(
            [&] { return !server->Running() || (lockOwner() == ours && fs::exists("/tmp/.X11-unix/X" + number)); },
            kLivenessLimit, milliseconds(50));
        if (!server->Running() || lockOwner() != ours) return;
        display_ = ":" + number;
        server_ = std::move(server);
    }
    void TearDown() override {
        if (!saved_.empty()) setenv("DISPLAY", saved_.c_str(), 1);
        server_.reset();
        if (display_.empty()) return;
        std::error_code ignored;
        fs::remove("/tmp/.X11-unix/X" + display_.substr(1), ignored);
        fs::remove("/tmp/.X" + display_.substr(1) + "-lock", ignored);
    }

    std::string RootWindowId() const {
        Display* display = XOpenDisplay(display_.c_str());
        if (!display) return "0";
        const std::string id = std::to_string(DefaultRootWindow(display));
        XCloseDisplay(display);
        return id;
    }

    // Starts the program with `arguments`, kills the X server once it runs (its window or its
    // show has changed the screen) and expects a quiet end.
    void ExpectQuietEndWhenTheServerDies(const std::vector<std::string>& arguments) {
        // The new server may take a moment before it answers.
        PixmapPtr before;
        ASSERT_TRUE(WaitForScreen([&] { return (before = MakeX11Platform()->CaptureDesktop()) != nullptr; }));
        auto program = Start(arguments);
        ASSERT_TRUE(WaitForScreen([&] {
            const PixmapPtr now = MakeX11Platform()->CaptureDesktop();
            return now && ScreenDiffers(*before, *now);
        })) << "nothing shown: "
            << Output();
        ASSERT_TRUE(program->Running()) << Output();
        server_->Signal(SIGKILL);
        int status = -1;
        ASSERT_TRUE(program->WaitFor(kLivenessLimit, status)) << "still running";
        EXPECT_EQ(status, 0) << Output();
        SaverRunningLock lock;
        EXPECT_TRUE(lock.Held()) << "the running flag is still set";
    }

    std::string display_, saved_;
    std::unique_ptr<ProgramRun> server_;
};

} // namespace

TEST_F(XServerLossTest, FullScreenEndsQuietly) {
    ExpectQuietEndWhenTheServerDies({"/s"});
}

TEST_F(XServerLossTest, PreviewEndsQuietly) {
    ExpectQuietEndWhenTheServerDies({"/p", RootWindowId()});
}

TEST_F(XServerLossTest, ConfigurationWindowEndsQuietly) {
    ExpectQuietEndWhenTheServerDies({"/c"});
}

TEST_F(XServerLossTest, HostedInTheRootWindowEndsQuietly) {
    ExpectQuietEndWhenTheServerDies({"--root"});
}
