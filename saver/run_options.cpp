// Reading the program's own options and applying the per-run overrides of the settings.
#include "saver/run_options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace {

const OptionRow* FindOption(const std::string& name) {
    for (const OptionRow& row : OptionTable())
        if (name == row.name) return &row;
    return nullptr;
}

// A range's end as the usage text and error messages write it: "0", "0.05", "2".
std::string RangeEnd(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string RangeText(const OptionRow& row) {
    return RangeEnd(row.low) + " to " + RangeEnd(row.high);
}

bool ReadInteger(const std::string& text, const OptionRow& row, int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && stop == end && !text.empty() && value >= row.low && value <= row.high;
}

bool ReadReal(const std::string& text, const OptionRow& row, float& value) {
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && stop == end && !text.empty() && value >= static_cast<float>(row.low) &&
           value <= static_cast<float>(row.high);
}

std::optional<int32_t>* SwitchOverride(RunOptions& options, const std::string& setting) {
    if (setting == "desktop") return &options.desktop;
    if (setting == "names") return &options.names;
    if (setting == "shadows") return &options.shadows;
    if (setting == "change") return &options.change;
    if (setting == "clear") return &options.clear;
    return nullptr;
}

// The text as it may appear in a one-line message: control characters become '?'.
std::string Printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

// Stores one option's value; false with `error` set when the value is not acceptable.
bool Take(const OptionRow& row, const std::string& spelled, const std::string& value, RunOptions& options,
          std::string& error) {
    const std::string name = row.name;
    const auto bad = [&](const std::string& wanted) {
        error = "bad value '" + Printable(value) + "' for " + Printable(spelled) + " (" + wanted + ")";
        return false;
    };
    if (name == "count") {
        int32_t count = 0;
        if (!ReadInteger(value, row, count)) return bad("a whole number from " + RangeText(row));
        options.count = count;
    } else if (name == "scale") {
        float scale = 0;
        if (!ReadReal(value, row, scale)) return bad("a number from " + RangeText(row));
        options.scale = scale;
    } else if (name == "motion") {
        int32_t motion = 0;
        if (!ReadInteger(value, row, motion)) return bad(RangeEnd(row.low) + " random, 1 to " + RangeEnd(row.high));
        options.motion = motion;
    } else if (name == "window-id") {
        options.windowId = ParseWindowId(value);
        if (options.windowId == 0) return bad("a window id, hex 0x... or decimal");
    }
    return true;
}

} // namespace

bool RunOptions::OverridesSettings() const {
    return count || scale || motion || desktop || names || shadows || change || clear;
}

// The ranges are those the configuration window produces (a count of 0 shows an empty view).
const std::vector<OptionRow>& OptionTable() {
    using K = OptionKind;
    static const std::vector<OptionRow> table = {
        {"root", K::Flag, nullptr, 0, 0, 0, nullptr,
         "show in the window named by XSCREENSAVER_WINDOW, else the root window"},
        {"window-id", K::WindowId, nullptr, 0, 0, 0, "ID", "show in window ID (hex 0x... or decimal)"},
        {"count", K::Integer, "count", 0, 0, 1000, "N", "number of chillies, {range}"},
        {"scale", K::Real, "scale", 0, 0.05, 2, "F", "chilli scale, {range}"},
        {"motion", K::Integer, "motion", 0, 0, 4, "M", "0 random, 1 bounce X/Y, 2 bounce X, 3 bounce Y, 4 fall"},
        {"desktop", K::Flag, "desktop", 1, 0, 0, nullptr, "the desktop as background"},
        {"no-desktop", K::Flag, "desktop", 0},
        {"names", K::Flag, "names", 1, 0, 0, nullptr, "the chilli names at the foot of the screen"},
        {"no-names", K::Flag, "names", 0},
        {"shadows", K::Flag, "shadows", 1, 0, 0, nullptr, "shadows under the chillies"},
        {"no-shadows", K::Flag, "shadows", 0},
        {"change", K::Flag, "change", 1, 0, 0, nullptr, "change the chillies now and then"},
        {"no-change", K::Flag, "change", 0},
        {"clear", K::Flag, "clear", 1, 0, 0, nullptr, "clear the screen between frames"},
        {"no-clear", K::Flag, "clear", 0},
        {"help", K::Flag, nullptr, 0, 0, 0, nullptr, "this text"},
        {"version", K::Flag, nullptr, 0, 0, 0, nullptr, "the version"},
    };
    return table;
}

uint64_t ParseWindowId(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    uint32_t id = 0; // X resource ids are 32-bit
    const auto [stop, fault] = std::from_chars(begin, end, id, hex ? 16 : 10);
    if (fault != std::errc() || stop != end || begin == end) return 0;
    return id;
}

bool ParseRunOptions(const std::vector<std::string>& arguments, RunOptions& options, std::string& error) {
    options = RunOptions{};
    if (!arguments.empty()) options.switches.push_back(arguments[0]);
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool longForm = argument.rfind("--", 0) == 0;
        const bool shortForm = !longForm && argument.size() > 1 && argument[0] == '-';
        std::string name = longForm ? argument.substr(2) : shortForm ? argument.substr(1) : std::string();
        std::string value;
        const size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const OptionRow* row = longForm || shortForm ? FindOption(name) : nullptr;
        if (!row) {
            // A single dash with a name the table does not know is a Windows-style switch.
            if (longForm) {
                error = "unknown option " + Printable(argument) + " (see --help)";
                return false;
            }
            options.switches.push_back(argument);
            continue;
        }
        const std::string spelled = argument.substr(0, argument.size() - (inlineValue ? value.size() + 1 : 0));
        if (row->kind == OptionKind::Flag) {
            if (inlineValue) {
                error = "option " + Printable(spelled) + " takes no value";
                return false;
            }
            if (row->setting) {
                *SwitchOverride(options, row->setting) = row->turnsOn;
            } else if (name == "root") {
                options.root = true;
            } else if (name == "help") {
                options.help = true;
            } else if (name == "version") {
                options.version = true;
            }
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                error = "option " + Printable(spelled) + " needs a value";
                return false;
            }
            value = arguments[++i];
        }
        if (!Take(*row, spelled, value, options, error)) return false;
    }
    return true;
}

void ApplySettingOverrides(const RunOptions& options, TSaver& saver) {
    if (options.count) saver.ChilliCount = *options.count;
    if (options.scale) saver.ChilliScale = *options.scale;
    if (options.motion) MotionMode = *options.motion;
    if (options.desktop) UseDesktop = *options.desktop;
    if (options.names) ShowNames = *options.names;
    if (options.shadows) Shadows = *options.shadows;
    if (options.change) ChangeChillies = *options.change;
    if (options.clear) ClearScreen = *options.clear;
}

namespace {

// One option's line: "  --name VALUE" (with its "no-" twin for a pair of flags), then the help
// text with "{range}" written out.
std::string UsageLine(const OptionRow& row) {
    std::string left = std::string("  --") + row.name;
    if (row.kind == OptionKind::Flag && row.setting) left += std::string(", --no-") + row.name;
    if (row.value) left += std::string(" ") + row.value;
    left.resize(std::max<size_t>(left.size() + 2, 28), ' ');
    std::string help = row.help;
    if (const size_t at = help.find("{range}"); at != std::string::npos) help.replace(at, 7, RangeText(row));
    return left + help + "\n";
}

} // namespace

std::string UsageText() {
    std::string modes, overrides, other;
    for (const OptionRow& row : OptionTable()) {
        if (!row.help) continue;
        const bool hosted = row.kind == OptionKind::WindowId || std::string(row.name) == "root";
        (row.setting ? overrides : hosted ? modes : other) += UsageLine(row);
    }
    return "Usage: capsaro [MODE] [OPTIONS]\n"
           "A screen saver of chilli peppers.\n"
           "\n"
           "Modes:\n"
           "  /s                        show full screen\n"
           "  /c                        the configuration window (also with no arguments)\n"
           "  /p ID                     preview inside window ID\n" +
           modes +
           "\n"
           "Options for this run only (the stored settings stay as they are):\n" +
           overrides + "\n" + other + "Every option may also be written with one dash (-root, -count 50).\n";
}

RunOptions& CurrentRunOptions() {
    static RunOptions options;
    return options;
}
