// The runtime's system services on Windows: the module's path, the wide command line, the
// multimedia clock.
#include "runtime/system.h"

#include "runtime/win32/wide_text.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <string>

namespace {

// The clock and sleeps keep 1 ms steps for the life of the process, as frame pacing needs.
struct TimerResolution {
    TimerResolution() { timeBeginPeriod(1); }
    ~TimerResolution() { timeEndPeriod(1); }
};

void FineTimer() {
    static const TimerResolution resolution;
}

} // namespace

std::string ExecutablePath(const char* argv0) {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return argv0 ? argv0 : "";
    buffer.resize(length);
    std::string path = Utf8Text(buffer.c_str());
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::vector<std::string> SystemArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide) {
        for (int i = 0; i < count; ++i)
            arguments.push_back(Utf8Text(wide[i]));
        LocalFree(wide);
        return arguments;
    }
    for (int i = 0; i < argc; ++i)
        arguments.emplace_back(argv[i] ? argv[i] : "");
    return arguments;
}

int32_t SystemMilliseconds() {
    FineTimer();
    return static_cast<int32_t>(timeGetTime());
}

void SystemSleep(int32_t milliseconds) {
    FineTimer();
    Sleep(static_cast<DWORD>(milliseconds));
}
