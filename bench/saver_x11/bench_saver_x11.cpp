// The full-screen saver on a real X server (run under Xvfb at 1920 x 1080): the desktop capture,
// the time from starting "capsaro /s" until its first frame of chillies is on the screen, and the
// CPU a running saver uses with the default settings. With CAPSARO_BENCH_SCR naming a Windows
// build (capsaro.scr), the program started is that one under Wine instead ("wine capsaro.scr /s";
// tools/bench-windows.sh sets up the Wine prefix and its server).
#include "saver/x11/x11_platform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

pid_t Spawn(const fs::path& folder) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(120);
        if (WindowsProgram())
            execlp("wine", "wine", "capsaro.scr", "/s", static_cast<char*>(nullptr));
        else
            execl((folder / "capsaro").c_str(), "capsaro", "/s", static_cast<char*>(nullptr));
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
