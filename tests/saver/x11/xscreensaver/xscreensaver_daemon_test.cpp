// The real XScreenSaver daemon with Capsaro selected: it starts the program with --root, the
// program draws over the whole screen, and it is gone
// after the daemon is told to stop, with no crash in the daemon's log.
//
// The daemon refuses to run screen savers as root, so under root it runs as "nobody" with a home
// of its own; the program is copied to a folder that user can read.
#include "tests/support/files.h"
#include "tests/support/wait_until.h"

#include "saver/x11/x11_platform.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

constexpr uid_t kNobody = 65534;

bool ProgramOnPath(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// A process has ended once it is gone or only waits to be reaped.
bool Ended(pid_t pid) {
    const std::string stat = ReadFileBytes("/proc/" + std::to_string(pid) + "/stat");
    if (stat.empty()) return true;
    const size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

// Processes of this test's daemon: those whose environment names the test's home.
std::vector<pid_t> ProcessesWithHome(const fs::path& home) {
    std::vector<pid_t> found;
    const std::string marker = "HOME=" + home.string();
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        if (pid == getpid() || Ended(pid)) continue;
        const std::string environment = ReadFileBytes(entry.path() / "environ");
        for (size_t at = 0; at < environment.size();) {
            const size_t end = environment.find('\0', at);
            if (environment.compare(at, end - at, marker) == 0) {
                found.push_back(pid);
                break;
            }
            if (end == std::string::npos) break;
            at = end + 1;
        }
    }
    return found;
}

class XScreenSaverDaemonTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        if (!ProgramOnPath("xscreensaver") || !ProgramOnPath("xscreensaver-command"))
            GTEST_SKIP() << "needs the xscreensaver packages (tools/deps.sh test)";
        asRoot = geteuid() == 0;
        folder = fs::path("/tmp") / ("capsaro-xscreensaver-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "bin");
        fs::create_directories(folder / "home");
        program = folder / "bin" / "capsaro";
        fs::copy_file(fs::path(CAPSARO_BINARY_DIR) / "capsaro", program);
        for (const fs::path& path : {folder, folder / "bin", program})
            chmod(path.c_str(), 0755);
        std::ofstream(folder / "home" / ".xscreensaver")
            << "mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nsplash: False\n"
               "dpmsEnabled: False\ntimeout: 0:30:00\ncycle: 0:30:00\n"
               "programs: \"Capsaro\" "
            << program.string() << " --root --motion 1 --count 400 --scale 0.4 --no-names \\n\\\n";
        if (asRoot) {
            for (const fs::path& path : {folder / "home", folder / "home" / ".xscreensaver"})
                if (chown(path.c_str(), kNobody, kNobody) != 0) GTEST_SKIP() << "cannot hand the home to nobody";
        }
        std::system("xsetroot -solid '#204080'");
    }

    void TearDown() override {
        if (folder.empty()) return;
        if (daemon > 0) {
            Command({"-exit"});
            WaitUntil([&] { return Ended(daemon); }, kLivenessLimit, milliseconds(10));
            // Whatever the daemon left behind: only processes of this test's home, by id.
            for (const pid_t pid : ProcessesWithHome(folder / "home"))
                kill(pid, SIGKILL);
            if (!Ended(daemon)) kill(daemon, SIGKILL);
            waitpid(daemon, nullptr, 0);
        }
        fs::remove_all(folder);
    }

    // Runs `program` with `arguments` as the daemon's user with a clean environment; the child's id.
    pid_t Spawn(const std::string& name, const std::vector<std::string>& arguments, const fs::path& output) {
        std::vector<std::string> words;
        if (asRoot) words = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        words.push_back(name);
        words.insert(words.end(), arguments.begin(), arguments.end());
        const std::string display = std::string("DISPLAY=") + std::getenv("DISPLAY");
        const std::string home = "HOME=" + (folder / "home").string();
        const pid_t child = fork();
        if (child == 0) {
            const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            dup2(out, 1);
            dup2(out, 2);
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            char* environment[] = {const_cast<char*>(display.c_str()), const_cast<char*>(home.c_str()),
                                   const_cast<char*>("PATH=/usr/bin:/bin"), nullptr};
            execvpe(argv[0], argv.data(), environment);
            _exit(121);
        }
        return child;
    }

    // xscreensaver-command with `arguments`; its exit status.
    int Command(const std::vector<std::string>& arguments) {
        const pid_t child = Spawn("xscreensaver-command", arguments, folder / "command.txt");
        int status = 0;
        if (WaitUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, kLivenessLimit, milliseconds(10)))
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return -1;
    }

    // The running copy of the program, 0 when there is none.
    pid_t RunningProgram() {
        for (const pid_t pid : ProcessesWithHome(folder / "home")) {
            std::error_code error;
            if (fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error) == program) return pid;
        }
        return 0;
    }

    bool asRoot = false;
    fs::path folder, program;
    pid_t daemon = -1;
};

} // namespace

TEST_F(XScreenSaverDaemonTest, LaunchesItWithRootItDrawsTheScreenAndEndsOnDeactivate) {
    daemon = Spawn("xscreensaver", {"-no-splash", "-verbose"}, folder / "daemon.txt");
    // The daemon answers once it is up.
    const bool up = WaitUntil([&] { return Command({"-time"}) == 0; }, kLivenessLimit, milliseconds(100));
    ASSERT_TRUE(up) << ReadFileBytes(folder / "daemon.txt");
    ASSERT_EQ(Command({"-select", "1"}), 0) << ReadFileBytes(folder / "command.txt");

    pid_t saver = 0;
    WaitUntil([&] { return (saver = RunningProgram()) != 0; }, kLivenessLimit, milliseconds(50));
    ASSERT_NE(saver, 0) << ReadFileBytes(folder / "daemon.txt");
    std::string commandLine = ReadFileBytes("/proc/" + std::to_string(saver) + "/cmdline");
    for (char& c : commandLine)
        if (c == '\0') c = ' ';
    EXPECT_NE(commandLine.find(" --root "), std::string::npos) << commandLine;
    EXPECT_NE(ReadFileBytes("/proc/" + std::to_string(saver) + "/environ").find("XSCREENSAVER_WINDOW=0x"),
              std::string::npos);

    // The whole screen is the show: chillies bouncing in every quarter (the daemon's window, left
    // undrawn, is black). Waits until the show has reached every quarter.
    const auto drawnShares = [] {
        std::vector<double> shares;
        const PixmapPtr screen = MakeX11Platform()->CaptureDesktop();
        if (!screen) return shares;
        for (int quarter = 0; quarter < 4; ++quarter) {
            const int32_t left = (quarter % 2) * screen->width / 2, top = (quarter / 2) * screen->height / 2;
            size_t drawn = 0, all = 0;
            for (int32_t y = top; y < top + screen->height / 2; y += 3)
                for (int32_t x = left; x < left + screen->width / 2; x += 3, ++all)
                    drawn += (ReadPixel(*screen, x, y) & 0xFFFFFF) != 0;
            shares.push_back(static_cast<double>(drawn) / static_cast<double>(all));
        }
        return shares;
    };
    std::vector<double> shares;
    WaitUntil(
        [&] {
            shares = drawnShares();
            return shares.size() == 4 && *std::min_element(shares.begin(), shares.end()) > 0.02;
        },
        kLivenessLimit, milliseconds(100));
    ASSERT_EQ(shares.size(), 4u);
    for (int quarter = 0; quarter < 4; ++quarter)
        EXPECT_GT(shares[static_cast<size_t>(quarter)], 0.02) << "quarter " << quarter;

    ASSERT_EQ(Command({"-deactivate"}), 0) << ReadFileBytes(folder / "command.txt");
    EXPECT_TRUE(WaitUntil([&] { return Ended(saver); }, kLivenessLimit));

    const std::string log = ReadFileBytes(folder / "daemon.txt");
    for (const char* trouble : {"crash", "dumped core", "terminated with signal", "exited abnormally"})
        EXPECT_EQ(log.find(trouble), std::string::npos) << trouble << "\n" << log;
}
