// The hosted show under X, as a screen-saver daemon runs it: drawing into a window another process
// owns, following its resizes, holding no grab, ending on SIGTERM and with its window, and using
// the screenshot the daemon leaves on the window.
#include "program_run.h"
#include "screen_watch.h"

#include "tests/support/wait_until.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
// After gtest, whose names Xlib's macros (None, Bool) would clash with.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

// host_window puts its window's top-left corner here.
constexpr int32_t kHostX = 10, kHostY = 10;

void Sleep(int ms) {
    std::this_thread::sleep_for(milliseconds(ms));
}

// Share of the screen's pixels inside the rectangle for which `match` holds.
double RegionShare(int32_t left, int32_t top, int32_t right, int32_t bottom,
                   const std::function<bool(uint32_t)>& match) {
    return ScreenShare({left, top, right, bottom}, match);
}

bool IsWhite(uint32_t rgb) {
    return rgb == 0xFFFFFFu;
}

// A host_window process: a white top-level window of another process, destroyed by Close().
class HostWindow {
public:
    HostWindow(const fs::path& folder, int width, int height) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        const fs::path idFile = folder / "host.txt";
        fs::remove(idFile);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[0], 0);
            const int out = open(idFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, 1);
            const std::string w = std::to_string(width), h = std::to_string(height);
            execl(HOST_WINDOW_PROGRAM, HOST_WINDOW_PROGRAM, w.c_str(), h.c_str(), static_cast<char*>(nullptr));
            _exit(121);
        }
        close(fds[0]);
        input_ = fds[1];
        WaitUntil(
            [&] {
                std::ifstream in(idFile);
                std::getline(in, id_);
                return !id_.empty();
            },
            kLivenessLimit, milliseconds(10));
    }
    ~HostWindow() { Close(); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    const std::string& Id() const { return id_; }
    void Close() {
        if (input_ >= 0) close(input_);
        input_ = -1;
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    std::string id_;
};

class HostedX11Test : public ::testing::Test, protected ProgramFolder {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        MakeProgramFolder("hosted");
        unsetenv("XSCREENSAVER_WINDOW");
        ShellOutput("xsetroot -solid '#204080'");
    }
    void TearDown() override {
        unsetenv("XSCREENSAVER_WINDOW");
        temp.reset();
    }
};

} // namespace

// How soon it ends after SIGTERM is measured in bench/saver_x11 (SigtermToExit).
TEST_F(HostedX11Test, DrawsFollowsAResizeHoldsNoGrabAndEndsOnSigterm) {
    HostWindow host(folder, 200, 150);
    ASSERT_FALSE(host.Id().empty());
    auto show = Start({"--window-id", host.Id(), "--count", "400", "--scale", "0.3", "--no-desktop", "--clear"});
    // The host's white is covered by the show's black and chillies. Waits until the show covers
    // the rectangle (neither the host's white nor the desktop's blue, which the rectangle shows
    // before the host grows over it), then gives the share of white left.
    const auto whiteLeft = [](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        WaitForScreen([&] {
            const double uncovered =
                RegionShare(left, top, right, bottom, [](uint32_t rgb) { return IsWhite(rgb) || rgb == 0x204080u; });
            return uncovered >= 0 && uncovered < 0.01;
        });
        return RegionShare(left, top, right, bottom, IsWhite);
    };
    EXPECT_LT(whiteLeft(kHostX, kHostY, kHostX + 200, kHostY + 150), 0.01);
    ASSERT_TRUE(show->Running()) << Output();

    // The window grows: the newly exposed corner (white from the server) gets drawn too.
    ShellOutput("xdotool windowsize " + host.Id() + " 400 300");
    EXPECT_LT(whiteLeft(kHostX + 220, kHostY + 170, kHostX + 400, kHostY + 300), 0.01);

    // Neither the pointer nor the keyboard is grabbed: this process can take both.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display);
    const Window root = DefaultRootWindow(display);
    EXPECT_EQ(
        XGrabPointer(display, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
        GrabSuccess);
    EXPECT_EQ(XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    XCloseDisplay(display);
    // Input does not end it: some time to react, then proof that it still draws.
    ShellOutput("xdotool mousemove 60 60 click 1 key space");
    Sleep(300);
    EXPECT_TRUE(WaitForNewFrames({kHostX, kHostY, kHostX + 400, kHostY + 300}));
    ASSERT_TRUE(show->Running()) << Output();

    show->Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(show->WaitFor(kLivenessLimit, status));
    EXPECT_TRUE(status == 0 || status == 143) << status;
}

TEST_F(HostedX11Test, EndsWhenItsWindowIsDestroyed) {
    for (int round = 0; round < 20; ++round) {
        HostWindow host(folder, 160, 120);
        ASSERT_FALSE(host.Id().empty());
        // Alternate the two ways a daemon names the window.
        std::unique_ptr<ProgramRun> show;
        if (round % 2) {
            setenv("XSCREENSAVER_WINDOW", host.Id().c_str(), 1);
            show = Start({"-root", "--count", "50"});
            unsetenv("XSCREENSAVER_WINDOW");
        } else {
            char hex[32];
            std::snprintf(hex, sizeof hex, "0x%lX", std::stoul(host.Id()));
            show = Start({"--root", "-window-id", hex, "--count", "50"});
        }
        // The window goes at a later moment of the show's start each round.
        Sleep(round == 0 ? 600 : 150 + 20 * round);
        ASSERT_TRUE(show->Running()) << "round " << round << ": " << Output();
        host.Close();
        int status = -1;
        EXPECT_TRUE(show->WaitFor(kLivenessLimit, status)) << "round " << round;
        EXPECT_EQ(status, 0) << "round " << round << ": " << Output();
    }
}

TEST_F(HostedX11Test, TheDaemonsScreenshotIsTheDesktopCopyElseTheBackgroundIsBlack) {
    HostWindow host(folder, 240, 180);
    ASSERT_FALSE(host.Id().empty());
    const Window window = std::stoul(host.Id());
    const std::vector<std::string> arguments{"--root", "--desktop", "--count", "3", "--scale", "0.1", "--no-names"};

    // No screenshot on the window: black behind the chillies.
    setenv("XSCREENSAVER_WINDOW", host.Id().c_str(), 1);
    auto plain = Start(arguments);
    const auto shareOnceDrawn = [](const std::function<bool(uint32_t)>& match) {
        double share = -1;
        WaitForScreen([&] {
            share = RegionShare(kHostX, kHostY, kHostX + 240, kHostY + 180, match);
            return share > 0.9;
        });
        return share;
    };
    EXPECT_GT(shareOnceDrawn([](uint32_t rgb) { return rgb == 0; }), 0.9);
    ASSERT_TRUE(plain->Running()) << Output();
    plain->Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(plain->WaitFor(kLivenessLimit, status));

    // A green screenshot pixmap, as a daemon leaves it on the window it hands over.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display);
    const int screen = DefaultScreen(display);
    const Pixmap shot = XCreatePixmap(display, window, 240, 180, static_cast<unsigned>(DefaultDepth(display, screen)));
    GC gc = XCreateGC(display, shot, 0, nullptr);
    XSetForeground(display, gc, 0x30C060);
    XFillRectangle(display, shot, gc, 0, 0, 240, 180);
    const Atom property = XInternAtom(display, "_SCREENSAVER_SCREENSHOT", False);
    XChangeProperty(display, window, property, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&shot), 1);
    XSync(display, False);

    auto withShot = Start(arguments);
    EXPECT_GT(shareOnceDrawn([](uint32_t rgb) { return rgb == 0x30C060u; }), 0.9);
    ASSERT_TRUE(withShot->Running()) << Output();
    withShot->Signal(SIGTERM);
    EXPECT_TRUE(withShot->WaitFor(kLivenessLimit, status));
    XFreeGC(display, gc);
    XFreePixmap(display, shot);
    XCloseDisplay(display);
}
