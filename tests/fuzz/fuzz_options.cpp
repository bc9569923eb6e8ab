// Arbitrary argument lists (NUL-separated) through the option parsing, the overrides and the
// switch table: no crash, and either a one-line error (exit status 2) or values within range.
#include "saver/dispatch.h"
#include "saver/run_options.h"
#include "saver/saver.h"
#include "tests/support/saver_globals.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const OptionRow& Row(const std::string& name) {
    for (const OptionRow& row : OptionTable())
        if (name == row.name) return row;
    std::abort();
}

template <typename T> void CheckRange(const std::optional<T>& value, const char* name) {
    if (!value) return;
    const OptionRow& row = Row(name);
    if (!(*value >= row.low && *value <= row.high)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments{"capsaro"};
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty()) arguments.push_back(current);

    RunOptions options;
    std::string error;
    if (!ParseRunOptions(arguments, options, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    CheckRange(options.count, "count");
    CheckRange(options.scale, "scale");
    CheckRange(options.motion, "motion");
    if (options.switches.empty() || options.switches.front() != "capsaro") std::abort();

    TSaver saver;
    ResetSaverSettings(&saver);
    ApplySettingOverrides(options, saver);
    for (const std::string& argument : options.switches)
        (void)SwitchOf(argument);
    (void)HostWindowHandle(options.switches);
    (void)RunsConfigWindow(options.switches);
    ResolveMotionMode();
    if (CurrentMotionMode < 1 || CurrentMotionMode > 4) std::abort();
    ResetSaverSettings(&saver);
    return 0;
}
