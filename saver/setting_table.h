// The saver's eight stored settings, one row each: where the value lives, its line in the settings
// file (the row's place in the table), its default, what the command line accepts and under which
// names, and how the configuration window shows it. Loading and saving the file, the starting
// values, the run's overrides, the usage text and the dialog's controls all read these rows.
#pragma once

#include "saver/motion_mode.h"
#include "saver/run_options.h"
#include "saver/saver.h"
#include "saver/settings_file.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <type_traits>

// How a setting is held, written, given on the command line and shown in the dialog.
enum class SettingType {
    Integer, // a whole number; "--name N"; a slider
    Real,    // a single-precision number, written "%#.9g"; "--name F"; a slider
    Switch,  // an integer that counts as on only when exactly 1; "--name" and "--no-name"; a check box
    Motion,  // a motion mode (motion_mode.h); "--name M"; a drop-down list of the modes' names
};

// Where a value lives: a field of the TSaver or a process-wide integer; exactly one is set.
struct SettingPlace {
    int32_t TSaver::*integerField = nullptr;
    float TSaver::*realField = nullptr;
    int32_t* global = nullptr;
};
constexpr SettingPlace FieldOf(int32_t TSaver::*field) {
    return {field, nullptr, nullptr};
}
constexpr SettingPlace FieldOf(float TSaver::*field) {
    return {nullptr, field, nullptr};
}
constexpr SettingPlace GlobalOf(int32_t* global) {
    return {nullptr, nullptr, global};
}

// Where a run's override of the setting is kept in RunOptions; one of the two is set.
struct SettingOverride {
    std::optional<int32_t> RunOptions::*integer = nullptr;
    std::optional<float> RunOptions::*real = nullptr;
};
constexpr SettingOverride OverrideOf(std::optional<int32_t> RunOptions::*slot) {
    return {slot, nullptr};
}
constexpr SettingOverride OverrideOf(std::optional<float> RunOptions::*slot) {
    return {nullptr, slot};
}

// The setting on the command line.
struct SettingOption {
    const char* name;    // "--name" and "-name" give it
    const char* offName; // a switch's name that turns it off; null for the others
    SettingOverride slot;
    const char* value; // the value's placeholder in the usage text; null for a switch
    // The usage text: "{range}" becomes "low to high", "{motions}" the numbered motion names.
    const char* help;
};

// A rectangle of the Config tab.
struct DialogBox {
    int32_t x, y, w, h;
};

// The setting in the configuration window.
struct SettingDialog {
    const char* label;  // a check box's text, else the label left of the control
    DialogBox labelBox; // none for a check box
    DialogBox box;
    // The values the control can give, both ends included. A slider's positions start at `low`
    // and step by 1 / positionsPerUnit, so its ends need not be the command line's: the scale
    // slider gives 0 to 29/15, the command line takes 0.05 to 2.
    double low, high;
    int32_t positionsPerUnit;
};

struct SettingRow {
    const char* name; // the value's own name
    SettingPlace place;
    SettingType type;
    double defaultValue;
    // What the command line accepts, both ends included (a switch: 0 or 1). The settings file
    // takes any number and is never checked against it.
    double low, high;
    SettingOption option;
    SettingDialog dialog;
};

// clang-format off

// In the order of the settings file's lines.
inline constexpr SettingRow kSettingRows[] = {
    // name, where it lives, type, default, the command line's low and high,
    //   {option, "off" option, override slot, value placeholder, usage text},
    //   {dialog label, label box, control box, the dialog's low and high, slider positions per unit}
    {"ChilliCount", FieldOf(&TSaver::ChilliCount), SettingType::Integer, 200, 0, 1000,
     {"count", nullptr, OverrideOf(&RunOptions::count), "N", "number of chillies, {range}"},
     {"Number of chillies", {10, 140, 87, 20}, {120, 140, 137, 15}, 0, 999, 1}},
    // The scale slider moves in fifteenths, 0 to 29/15.
    {"ChilliScale", FieldOf(&TSaver::ChilliScale), SettingType::Real, 0.5, 0.05, 2,
     {"scale", nullptr, OverrideOf(&RunOptions::scale), "F", "chilli scale, {range}"},
     {"Chilli scale", {10, 160, 87, 20}, {120, 160, 137, 15}, 0, 29.0 / 15, 15}},
    {"UseDesktop", GlobalOf(&UseDesktop), SettingType::Switch, 0, 0, 1,
     {"desktop", "no-desktop", OverrideOf(&RunOptions::desktop), nullptr, "the desktop as background"},
     {"Use desktop as background", {}, {10, 40, 160, 15}, 0, 1, 1}},
    {"ShowNames", GlobalOf(&ShowNames), SettingType::Switch, 0, 0, 1,
     {"names", "no-names", OverrideOf(&RunOptions::names), nullptr, "the chilli names at the foot of the screen"},
     {"Show chilli names", {}, {10, 60, 150, 15}, 0, 1, 1}},
    {"Shadows", GlobalOf(&Shadows), SettingType::Switch, 0, 0, 1,
     {"shadows", "no-shadows", OverrideOf(&RunOptions::shadows), nullptr, "shadows under the chillies"},
     {"Enable shadows on chillies", {}, {10, 80, 150, 15}, 0, 1, 1}},
    {"ChangeChillies", GlobalOf(&ChangeChillies), SettingType::Switch, 0, 0, 1,
     {"change", "no-change", OverrideOf(&RunOptions::change), nullptr, "change the chillies now and then"},
     {"Change chillies periodically", {}, {10, 100, 150, 15}, 0, 1, 1}},
    {"MotionMode", GlobalOf(&MotionMode), SettingType::Motion, MotionRandom, MotionRandom, MotionFall,
     {"motion", nullptr, OverrideOf(&RunOptions::motion), "M", "{motions}"},
     {"Chilli Motion", {10, 14, 87, 20}, {90, 10, 140, 12}, MotionRandom, MotionFall, 1}},
    {"ClearScreen", GlobalOf(&ClearScreen), SettingType::Switch, 1, 0, 1,
     {"clear", "no-clear", OverrideOf(&RunOptions::clear), nullptr, "clear the screen between frames"},
     {"Clear screen", {}, {10, 120, 150, 15}, 0, 1, 1}},
};
// clang-format on
static_assert(std::size(kSettingRows) == kSettingsLineCount, "one row per line of the settings file");

constexpr int32_t CountSettings(SettingType type) {
    int32_t count = 0;
    for (const SettingRow& row : kSettingRows)
        count += row.type == type ? 1 : 0;
    return count;
}

// The default of the setting kept in a process-wide integer (their definitions start with it).
constexpr int32_t GlobalDefault(const int32_t* global) {
    for (const SettingRow& row : kSettingRows)
        if (row.place.global == global) return static_cast<int32_t>(row.defaultValue);
    return 0;
}

// The row of the setting kept in this TSaver field.
template <class Value> constexpr const SettingRow& SettingRowOf(Value TSaver::*field) {
    for (const SettingRow& row : kSettingRows) {
        if constexpr (std::is_same_v<Value, float>) {
            if (row.place.realField == field) return row;
        } else {
            if (row.place.integerField == field) return row;
        }
    }
    return kSettingRows[0];
}

// The value of an Integer, Switch or Motion row, and of a Real row.
inline int32_t& IntegerSetting(const SettingRow& row, TSaver& saver) {
    return row.place.global ? *row.place.global : saver.*row.place.integerField;
}
inline int32_t IntegerSetting(const SettingRow& row, const TSaver& saver) {
    return row.place.global ? *row.place.global : saver.*row.place.integerField;
}
inline float& RealSetting(const SettingRow& row, TSaver& saver) {
    return saver.*row.place.realField;
}
inline float RealSetting(const SettingRow& row, const TSaver& saver) {
    return saver.*row.place.realField;
}

// Puts the setting back to its default. A TSaver field is set only when `saver` is given.
void SetSettingDefault(const SettingRow& row, TSaver* saver);
