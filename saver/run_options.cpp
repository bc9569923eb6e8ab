// Reading the program's own options and applying the per-run overrides of the settings.
#include "saver/run_options.h"

#include <charconv>
#include <cstdlib>

namespace {

// Value ranges: those the configuration window produces (a count of 0 shows an empty view).
constexpr int32_t kCountMax = 1000;
constexpr float kScaleMin = 0.05f, kScaleMax = 2.0f;
constexpr int32_t kMotionMax = 4;

const OptionRow* FindOption(const std::string& name) {
    for (const OptionRow& row : OptionTable())
        if (name == row.name) return &row;
    return nullptr;
}

bool ReadInteger(const std::string& text, int32_t low, int32_t high, int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && stop == end && !text.empty() && value >= low && value <= high;
}

bool ReadReal(const std::string& text, float low, float high, float& value) {
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && stop == end && !text.empty() && value >= low && value <= high;
}

std::optional<int32_t>* SwitchOverride(RunOptions& options, const std::string& setting) {
    if (setting == "desktop") return &options.desktop;
    if (setting == "names") return &options.names;
    if (setting == "shadows") return &options.shadows;
    if (setting == "change") return &options.change;
    if (setting == "clear") return &options.clear;
    return nullptr;
}

// Stores one option's value; false with `error` set when the value is not acceptable.
bool Take(const OptionRow& row, const std::string& spelled, const std::string& value, RunOptions& options,
          std::string& error) {
    const std::string name = row.name;
    const auto bad = [&](const char* wanted) {
        error = "bad value '" + value + "' for " + spelled + " (" + wanted + ")";
        return false;
    };
    if (name == "count") {
        int32_t count = 0;
        if (!ReadInteger(value, 0, kCountMax, count)) return bad("a whole number from 0 to 1000");
        options.count = count;
    } else if (name == "scale") {
        float scale = 0;
        if (!ReadReal(value, kScaleMin, kScaleMax, scale)) return bad("a number from 0.05 to 2");
        options.scale = scale;
    } else if (name == "motion") {
        int32_t motion = 0;
        if (!ReadInteger(value, 0, kMotionMax, motion)) return bad("0 random, 1 to 4");
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

const std::vector<OptionRow>& OptionTable() {
    static const std::vector<OptionRow> table = {
        {"root", OptionKind::Flag, nullptr, 0},         {"window-id", OptionKind::WindowId, nullptr, 0},
        {"count", OptionKind::Integer, "count", 0},     {"scale", OptionKind::Real, "scale", 0},
        {"motion", OptionKind::Integer, "motion", 0},   {"desktop", OptionKind::Flag, "desktop", 1},
        {"no-desktop", OptionKind::Flag, "desktop", 0}, {"names", OptionKind::Flag, "names", 1},
        {"no-names", OptionKind::Flag, "names", 0},     {"shadows", OptionKind::Flag, "shadows", 1},
        {"no-shadows", OptionKind::Flag, "shadows", 0}, {"change", OptionKind::Flag, "change", 1},
        {"no-change", OptionKind::Flag, "change", 0},   {"clear", OptionKind::Flag, "clear", 1},
        {"no-clear", OptionKind::Flag, "clear", 0},     {"help", OptionKind::Flag, nullptr, 0},
        {"version", OptionKind::Flag, nullptr, 0},
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
                error = "unknown option " + argument + " (see --help)";
                return false;
            }
            options.switches.push_back(argument);
            continue;
        }
        const std::string spelled = argument.substr(0, argument.size() - (inlineValue ? value.size() + 1 : 0));
        if (row->kind == OptionKind::Flag) {
            if (inlineValue) {
                error = "option " + spelled + " takes no value";
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
                error = "option " + spelled + " needs a value";
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

std::string UsageText() {
    return "Usage: capsaro [MODE] [OPTIONS]\n"
           "A screen saver of chilli peppers.\n"
           "\n"
           "Modes:\n"
           "  /s                    show full screen\n"
           "  /c                    the configuration window (also with no arguments)\n"
           "  /p ID                 preview inside window ID\n"
           "  --root                show in the window named by XSCREENSAVER_WINDOW, else the root window\n"
           "  --window-id ID        show in window ID (hex 0x... or decimal)\n"
           "\n"
           "Options for this run only (the stored settings stay as they are):\n"
           "  --count N             number of chillies, 0 to 1000\n"
           "  --scale F             chilli scale, 0.05 to 2\n"
           "  --motion M            0 random, 1 bounce X/Y, 2 bounce X, 3 bounce Y, 4 fall\n"
           "  --desktop, --no-desktop   the desktop as background\n"
           "  --names, --no-names       the chilli names at the foot of the screen\n"
           "  --shadows, --no-shadows   shadows under the chillies\n"
           "  --change, --no-change     change the chillies now and then\n"
           "  --clear, --no-clear       clear the screen between frames\n"
           "\n"
           "  --help                this text\n"
           "  --version             the version\n"
           "Every option may also be written with one dash (-root, -count 50).\n";
}

RunOptions& CurrentRunOptions() {
    static RunOptions options;
    return options;
}
