// The program's own command-line options: the hosted modes a screen-saver daemon starts
// (--root, --window-id) and per-run overrides of the stored settings. Windows-style switches
// ("/s", "-p 1234", …) pass through untouched to Run's switch table.
#pragma once

#include "saver/platform.h"
#include "saver/saver.h"

#include "version.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one run was asked for beyond the Windows-style switches.
struct RunOptions {
    bool help = false;
    bool version = false;
    // A hosted run: --root (window from XSCREENSAVER_WINDOW, else the root) or --window-id.
    bool root = false;
    uint64_t windowId = 0; // 0: none given; wins over root
    // Overrides of the stored settings, for this run only (each setting row names its slot).
    std::optional<int32_t> count;
    std::optional<float> scale;
    std::optional<int32_t> motion;
    std::optional<int32_t> desktop, names, shadows, change, clear;
    // The headless render (--render FOLDER): its frames, size (or monitor layout), seed and
    // desktop picture.
    std::string renderFolder; // empty: no render
    std::optional<int32_t> frames, seed;
    int32_t width = 0, height = 0; // 0: not given
    std::vector<MonitorRect> monitors;
    std::string desktopPicture;
    // The arguments that are not options, program name first: the Windows-style command line.
    std::vector<std::string> switches;

    bool Hosted() const { return root || windowId != 0; }
    bool Renders() const { return !renderFolder.empty(); }
    bool OverridesSettings() const;
};

// How one option of the table reads.
enum class OptionKind { Flag, Integer, Real, WindowId, Text, Size, Layout };

// The most frames one render writes.
constexpr int32_t kMaxRenderFrames = 100000;

struct SettingRow;

struct OptionRow {
    const char* name; // without dashes; "-name" and "--name" both mean it
    OptionKind kind;
    const char* setting; // the stored setting it overrides (nullptr: none)
    int32_t turnsOn;     // for on/off flags of a setting: 1 or 0
    // Integer and Real options: the values accepted, both ends included.
    double low = 0, high = 0;
    // The usage text: the value's placeholder and what the option does. Null for the "no-" half
    // of a pair of flags, which shares the line of its "on" half.
    const char* value = nullptr;
    const char* help = nullptr;
    // The row of the stored setting it overrides (saver/setting_table.h); null for the others.
    const SettingRow* stored = nullptr;
};

// Every option the program accepts, in usage order: the hosted modes, the render and its options,
// the settings that take a value, the switches (each with its "no-" twin), then --help and
// --version.
const std::vector<OptionRow>& OptionTable();

// Reads `arguments` (program name first). False with a one-line `error` naming the option or the
// value at fault, or the render's option that is missing or out of place. An argument beginning "--", or "-" followed
// by a name of the table, is an option
// ("--name=value" also works); every other argument is kept in `switches`.
bool ParseRunOptions(const std::vector<std::string>& arguments, RunOptions& options, std::string& error);

// A window id in hex ("0x…") or decimal; 0 when the text is not one.
uint64_t ParseWindowId(const std::string& text);

// Puts the overrides into the settings of `saver` and the process-wide switches.
void ApplySettingOverrides(const RunOptions& options, TSaver& saver);

constexpr const char* kVersionText = "Capsaro " CAPSARO_VERSION;

// The short usage text of --help, its options and ranges written from OptionTable; the modes that
// show in an X window only where there are X windows.
std::string UsageText(bool xWindowModes = true);

// The options of this process, set by start-up before Run.
RunOptions& CurrentRunOptions();
