// A long show on a real X server: "capsaro /s" with 1000 chillies, shadows over the desktop copy
// and the varieties changing, run for CAPSARO_SOAK_SECONDS (default 120). Prints the resident
// memory 30 s in and at the end, every minute between, and the share of a core it used.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kProgram = std::string(CAPSARO_BINARY_DIR) + "/capsaro";

// The resident memory of a process in megabytes (VmRSS), or -1 once it is gone.
double ResidentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

// User plus system CPU seconds of a process, all its threads.
double CpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    if (text.empty()) return 0;
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14 || i == 15) ticks += std::stol(field);
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void BM_Soak(benchmark::State& state) {
    const char* wanted = std::getenv("CAPSARO_SOAK_SECONDS");
    const int seconds = std::max(wanted ? std::atoi(wanted) : 120, 40);
    const fs::path folder = fs::temp_directory_path() / ("capsaro-soak-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(kProgram, folder / "capsaro");
    // 1000 chillies at 0.5, desktop copy, no names, shadows, changing varieties, random motion, clearing.
    std::ofstream(folder / "Capsaro.cfg", std::ios::binary) << "1000\r\n0.5\r\n1\r\n0\r\n1\r\n1\r\n0\r\n1\r\n";
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);

    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            if (chdir(folder.c_str()) != 0) _exit(120);
            execl((folder / "capsaro").c_str(), "capsaro", "/s", static_cast<char*>(nullptr));
            _exit(121);
        }
        const auto start = Clock::now();
        double first = -1, last = -1, peak = 0;
        for (int t = 30; t <= seconds; t += 30) {
            std::this_thread::sleep_until(start + std::chrono::seconds(t));
            last = ResidentMegabytes(child);
            if (last < 0) break;
            if (first < 0) first = last;
            peak = std::max(peak, last);
            std::fprintf(stderr, "%4d s: %.1f MB resident\n", t, last);
        }
        const double cpu = CpuSeconds(child);
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        if (last < 0) {
            state.SkipWithError("the saver ended early (no X display?)");
            break;
        }
        state.counters["rss_at_30s_MB"] = first;
        state.counters["rss_at_end_MB"] = last;
        state.counters["rss_peak_MB"] = peak;
        state.counters["cpu_share_of_one_core"] = cpu / elapsed;
        state.counters["seconds"] = elapsed;
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_Soak)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
