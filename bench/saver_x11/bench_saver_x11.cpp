// The full-screen saver on a real X server (run under Xvfb at 1920 x 1080): the desktop capture,
// the time from starting "capsaro /s" until its first frame of chillies is on the screen, the time
// from SIGTERM to the exit of the full-screen saver, the preview and the hosted show (the goal is
// 100 ms), and the CPU a running saver uses with the default settings. With CAPSARO_BENCH_SCR naming a Windows
// build (capsaro.scr), the program started is that one under Wine instead ("wine capsaro.scr /s";
// tools/bench-windows.sh sets up the Wine prefix and its server).
#include "saver/x11/x11_platform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = std::string(CAPSARO_BINARY_DIR) + "/capsaro";

// The Windows build to run under Wine, or null for the Linux program.
const char* WindowsProgram() {
    const char* scr = std::getenv("CAPSARO_BENCH_SCR");
    return scr && *scr ? scr : nullptr;
}

// A copy of the program in a folder of its own, with the default settings file.
fs::path ProgramCopy() {
    const fs::path folder = fs::temp_directory_path() / ("capsaro-bench-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (WindowsProgram())
        fs::copy_file(WindowsProgram(), folder / "capsaro.scr");
    else
        fs::copy_file(kProgram, folder / "capsaro");
    std::ofstream(folder / "Capsaro.cfg", std::ios::binary) << "200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n";
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    return folder;
}

// Starts the program in `folder` with `arguments` ("/s" when none are given).
pid_t Spawn(const fs::path& folder, std::vector<std::string> arguments = {"/s"}) {
    const std::string program = WindowsProgram() ? "capsaro.scr" : (folder / "capsaro").string();
    arguments.insert(arguments.begin(), program);
    if (WindowsProgram()) arguments.insert(arguments.begin(), "wine");
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(120);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(121);
    }
    return child;
}

void Stop(pid_t child) {
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
}

// True once the screen shows a pixel that is neither the desktop's colour nor the show's black.
bool ChilliOnScreen(SaverPlatform& platform, uint32_t desktop) {
    const PixmapPtr screen = platform.CaptureDesktop();
    if (!screen) return false;
    for (int32_t y = 0; y < screen->height; y += 4)
        for (int32_t x = 0; x < screen->width; x += 4) {
            const uint32_t rgb = ReadPixel(*screen, x, y) & 0xFFFFFF;
            if (rgb != desktop && rgb != 0) return true;
        }
    return false;
}

void BM_CaptureDesktop(benchmark::State& state) {
    const auto platform = MakeX11Platform();
    ScreenCaps caps;
    if (!platform->Screen(caps)) {
        state.SkipWithError("no X display");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(platform->CaptureDesktop());
    state.counters["width"] = caps.width;
    state.counters["height"] = caps.height;
}
BENCHMARK(BM_CaptureDesktop)->Unit(benchmark::kMillisecond);

void BM_StartToFirstFrame(benchmark::State& state) {
    const auto platform = MakeX11Platform();
    ScreenCaps caps;
    if (!platform->Screen(caps)) {
        state.SkipWithError("no X display");
        return;
    }
    const fs::path folder = ProgramCopy();
    std::system("xsetroot -solid '#204080'");
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = Spawn(folder);
        while (!ChilliOnScreen(*platform, 0x204080u) &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        Stop(child);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    state.SetLabel(WindowsProgram() ? "wine capsaro.scr /s" : "capsaro /s");
    fs::remove_all(folder);
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The root window's id in decimal (as xwininfo tells it), empty without a display.
std::string RootWindowId() {
    FILE* pipe = popen("xwininfo -root 2>/dev/null | sed -n 's/.*Window id: \\(0x[0-9a-f]*\\).*/\\1/p'", "r");
    if (!pipe) return "";
    char line[64] = "";
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    pclose(pipe);
    return read && line[0] == '0' ? std::to_string(std::stoul(line, nullptr, 16)) : "";
}

// The modes SIGTERM is measured with: what runs, and its label.
struct TerminatedMode {
    const char* label;
    std::vector<std::string> arguments; // the root window's id is appended where it ends in "<root>"
};
const TerminatedMode kTerminatedModes[] = {
    {"capsaro /s", {"/s"}},
    {"capsaro /p <root window>", {"/p", "<root>"}},
    {"capsaro --window-id <root window>", {"--window-id", "<root>"}},
};

// From SIGTERM to the process's exit (waitpid), once the mode shows its chillies; the mean is the
// benchmark's time, the slowest of the runs the counter "slowest_ms".
void BM_SigtermToExit(benchmark::State& state) {
    const TerminatedMode& mode = kTerminatedModes[state.range(0)];
    const auto platform = MakeX11Platform();
    ScreenCaps caps;
    const std::string root = RootWindowId();
    if (WindowsProgram() || root.empty() || !platform->Screen(caps)) {
        state.SkipWithError(WindowsProgram() ? "SIGTERM ends only the Linux program" : "no X display");
        return;
    }
    std::vector<std::string> arguments = mode.arguments;
    for (std::string& argument : arguments)
        if (argument == "<root>") argument = root;
    const fs::path folder = ProgramCopy();
    std::system("xsetroot -solid '#204080'");
    double slowest = 0;
    for (auto _ : state) {
        const pid_t child = Spawn(folder, arguments);
        const auto started = std::chrono::steady_clock::now();
        while (!ChilliOnScreen(*platform, 0x204080u) &&
               std::chrono::steady_clock::now() - started < std::chrono::seconds(20)) {
        }
        // A few frames into the show, as a daemon ends it.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const auto sent = std::chrono::steady_clock::now();
        kill(child, SIGTERM);
        while (waitpid(child, nullptr, WNOHANG) != child)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds * 1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    state.counters["slowest_ms"] = slowest;
    state.SetLabel(mode.label);
    fs::remove_all(folder);
}
BENCHMARK(BM_SigtermToExit)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// CPU seconds (all threads) of a saver running 10 s with the default settings, as a share of one core.
void BM_RunningSaverCpu(benchmark::State& state) {
    const fs::path folder = ProgramCopy();
    double share = 0;
    for (auto _ : state) {
        const pid_t child = Spawn(folder);
        std::this_thread::sleep_for(std::chrono::seconds(10));
        std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i == 14 || i == 15) ticks += std::stol(field);
        share = static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK)) / 10.0;
        Stop(child);
    }
    state.counters["cpu_share_of_one_core"] = share;
    fs::remove_all(folder);
}
BENCHMARK(BM_RunningSaverCpu)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
