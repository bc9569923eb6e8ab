// What the runtime asks of the operating system: one implementation per system (runtime/posix/,
// runtime/win32/), chosen by the build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The running executable's full path with '/' as the separator; `argv0` helps where the system
// cannot tell.
std::string ExecutablePath(const char* argv0);
// The program's arguments, its own path first, as UTF-8. Windows reads them from the wide command
// line (split by its usual rules), since `argv` there is in the local code page.
std::vector<std::string> SystemArguments(int argc, char** argv);
// The system's millisecond clock, wrapping at 32 bits.
int32_t SystemMilliseconds();
// Sleeps for the given milliseconds (more than 0).
void SystemSleep(int32_t milliseconds);
