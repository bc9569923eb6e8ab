// Reading the program's own options and applying the per-run overrides of the settings.
#include "saver/run_options.h"

#include "saver/setting_table.h"
#include "saver/show_views.h"

#include "draw2d/soft/soft_driver.h"

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
    std::snprintf(text, sizeof text, "%.10g", value);
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

// The text as it may appear in a one-line message: control characters become '?'.
std::string Printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

// WxH, each side from 1 to the software display's largest.
bool ReadSize(const std::string& text, int32_t& width, int32_t& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const OptionRow side{"", OptionKind::Integer, nullptr, 0, 1, kMaxSoftDisplaySide};
    return ReadInteger(text.substr(0, x), side, width) && ReadInteger(text.substr(x + 1), side, height);
}

// The render's own options (no stored setting behind them).
template <typename Bad>
bool TakeRenderOption(const OptionRow& row, const std::string& value, RunOptions& options, const Bad& bad) {
    const std::string name = row.name;
    if (row.kind == OptionKind::Text) {
        if (value.empty()) return bad(row.value);
        (name == "render" ? options.renderFolder : options.desktopPicture) = value;
        return true;
    }
    if (row.kind == OptionKind::Size) {
        if (!ReadSize(value, options.width, options.height)) return bad("WxH, each from 1 to " + RangeEnd(row.high));
        return true;
    }
    if (row.kind == OptionKind::Layout) {
        if (!ParseMonitorLayout(value, kMaxSoftDisplaySide, options.monitors, options.width, options.height))
            return bad("WxH+X+Y[,WxH+X+Y...], within " + RangeEnd(row.high) + " pixels a side");
        return true;
    }
    int32_t integer = 0;
    if (!ReadInteger(value, row, integer)) return bad("a whole number from " + RangeText(row));
    (name == "frames" ? options.frames : options.seed) = integer;
    return true;
}

// Stores one option's value; false with `error` set when the value is not acceptable.
bool Take(const OptionRow& row, const std::string& spelled, const std::string& value, RunOptions& options,
          std::string& error) {
    const auto bad = [&](const std::string& wanted) {
        error = "bad value '" + Printable(value) + "' for " + Printable(spelled) + " (" + wanted + ")";
        return false;
    };
    if (row.kind == OptionKind::WindowId) {
        options.windowId = ParseWindowId(value);
        if (options.windowId == 0) return bad("a window id, hex 0x... or decimal");
        return true;
    }
    if (!row.stored) return TakeRenderOption(row, value, options, bad);
    const SettingOverride& slot = row.stored->option.slot;
    if (row.kind == OptionKind::Real) {
        float real = 0;
        if (!ReadReal(value, row, real)) return bad("a number from " + RangeText(row));
        options.*slot.real = real;
        return true;
    }
    int32_t integer = 0;
    if (!ReadInteger(value, row, integer)) {
        if (row.stored->type != SettingType::Motion) return bad("a whole number from " + RangeText(row));
        return bad(std::to_string(MotionRandom) + " " + kMotionModeNames[MotionRandom].shortName + ", " +
                   std::to_string(MotionBounceBoth) + " to " + RangeEnd(row.high));
    }
    options.*slot.integer = integer;
    return true;
}

} // namespace

bool RunOptions::OverridesSettings() const {
    for (const SettingRow& row : kSettingRows) {
        const SettingOverride& slot = row.option.slot;
        if (slot.real ? (this->*slot.real).has_value() : (this->*slot.integer).has_value()) return true;
    }
    return false;
}

const std::vector<OptionRow>& OptionTable() {
    using K = OptionKind;
    static const std::vector<OptionRow> table = [] {
        std::vector<OptionRow> rows = {
            {"root", K::Flag, nullptr, 0, 0, 0, nullptr,
             "show in the window named by XSCREENSAVER_WINDOW, else the root window"},
            {"window-id", K::WindowId, nullptr, 0, 0, 0, "ID", "show in window ID (hex 0x... or decimal)"},
            {"render", K::Text, nullptr, 0, 0, 0, "FOLDER",
             "write the full-screen show's frames into FOLDER as PNG files, without a screen"},
            {"frames", K::Integer, nullptr, 0, 1, kMaxRenderFrames, "N", "how many frames ({range})"},
            {"size", K::Size, nullptr, 0, 1, kMaxSoftDisplaySide, "WxH", "the frames' size"},
            {"monitors", K::Layout, nullptr, 0, 1, kMaxSoftDisplaySide, "WxH+X+Y,...",
             "or a layout of monitors, each a view of its own; the frames are its bounds"},
            {"seed", K::Integer, nullptr, 0, INT32_MIN, INT32_MAX, "S",
             "the random seed (the same seed, the same show)"},
            {"desktop-picture", K::Text, nullptr, 0, 0, 0, "FILE.png",
             "the desktop copy behind the show (with --desktop)"},
        };
        // The settings' ranges are the setting table's, those the command line accepts.
        for (const SettingRow& row : kSettingRows) {
            if (row.type == SettingType::Switch) continue;
            const OptionKind kind = row.type == SettingType::Real ? K::Real : K::Integer;
            rows.push_back({row.option.name, kind, row.option.name, 0, row.low, row.high, row.option.value,
                            row.option.help, &row});
        }
        for (const SettingRow& row : kSettingRows) {
            if (row.type != SettingType::Switch) continue;
            rows.push_back({row.option.name, K::Flag, row.option.name, 1, 0, 0, nullptr, row.option.help, &row});
            rows.push_back({row.option.offName, K::Flag, row.option.name, 0, 0, 0, nullptr, nullptr, &row});
        }
        rows.push_back({"help", K::Flag, nullptr, 0, 0, 0, nullptr, "this text"});
        rows.push_back({"version", K::Flag, nullptr, 0, 0, 0, nullptr, "the version"});
        return rows;
    }();
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

namespace {

// A render needs its frames, seed and size (or layout); its options mean nothing without it.
bool CheckRenderOptions(const RunOptions& options, std::string& error) {
    const bool renderOptions = options.frames || options.seed || options.width > 0 || !options.desktopPicture.empty();
    if (!options.Renders()) {
        if (renderOptions)
            error = "--frames, --size, --monitors, --seed and --desktop-picture go with --render (see --help)";
        return !renderOptions;
    }
    if (options.Hosted() || options.switches.size() > 1) {
        error = "--render draws no window: it takes no mode";
        return false;
    }
    const char* missing = !options.frames      ? "--frames N"
                          : options.width <= 0 ? "--size WxH or --monitors"
                          : !options.seed      ? "--seed S"
                                               : nullptr;
    if (missing) error = std::string("--render needs ") + missing;
    return missing == nullptr;
}

} // namespace

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
            if (row->stored) {
                options.*row->stored->option.slot.integer = row->turnsOn;
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
    return CheckRenderOptions(options, error);
}

void ApplySettingOverrides(const RunOptions& options, TSaver& saver) {
    for (const SettingRow& row : kSettingRows) {
        const SettingOverride& slot = row.option.slot;
        if (slot.real) {
            if (const std::optional<float>& value = options.*slot.real) RealSetting(row, saver) = *value;
        } else if (const std::optional<int32_t>& value = options.*slot.integer) {
            IntegerSetting(row, saver) = *value;
        }
    }
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
    if (const size_t at = help.find("{motions}"); at != std::string::npos) help.replace(at, 9, MotionChoicesText());
    return left + help + "\n";
}

} // namespace

std::string UsageText(bool xWindowModes) {
    std::string modes, overrides, other;
    for (const OptionRow& row : OptionTable()) {
        if (!row.help) continue;
        const bool hosted = row.kind == OptionKind::WindowId || std::string(row.name) == "root";
        if (hosted && !xWindowModes) continue;
        const bool mode = hosted || (!row.stored && row.value);
        (row.setting ? overrides : mode ? modes : other) += UsageLine(row);
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
           overrides + "\n" + other + "Every option may also be written with one dash (" +
           (xWindowModes ? "-root, " : "") + "-count 50).\n";
}

RunOptions& CurrentRunOptions() {
    static RunOptions options;
    return options;
}
