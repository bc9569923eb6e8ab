// The runtime's system services on Windows: the module's path, the multimedia clock.
#include "runtime/system.h"

#include <windows.h>

#include <mmsystem.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

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
    std::string path = Utf8(buffer.c_str());
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

int32_t SystemMilliseconds() {
    FineTimer();
    return static_cast<int32_t>(timeGetTime());
}

void SystemSleep(int32_t milliseconds) {
    FineTimer();
    Sleep(static_cast<DWORD>(milliseconds));
}
