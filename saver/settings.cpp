// LoadSettings and SaveSettings: the values of the setting table in file order, read leniently,
// never validated.
#include "saver/settings.h"

#include "saver/setting_table.h"

#include "runtime/convert.h"

namespace {

// Where this process read its settings or first saved them; empty until then.
std::string settingsPath;

std::vector<std::string> SettingsLines(const TSaver& saver) {
    std::vector<std::string> lines;
    for (const SettingRow& row : kSettingRows)
        lines.push_back(row.type == SettingType::Real ? FloatToText(RealSetting(row, saver))
                                                      : IntToText(IntegerSetting(row, saver)));
    return lines;
}

void ApplySettingsLines(TSaver& saver, const std::vector<std::string>& lines) {
    for (size_t i = 0; i < std::size(kSettingRows); ++i) {
        const SettingRow& row = kSettingRows[i];
        if (row.type == SettingType::Real) {
            RealSetting(row, saver) = TextToFloat(lines[i]);
        } else {
            IntegerSetting(row, saver) = TextToInt(lines[i]);
        }
    }
}

} // namespace

void SetSettingDefault(const SettingRow& row, TSaver* saver) {
    if (row.place.global) {
        *row.place.global = static_cast<int32_t>(row.defaultValue);
    } else if (saver && row.type == SettingType::Real) {
        RealSetting(row, *saver) = static_cast<float>(row.defaultValue);
    } else if (saver) {
        IntegerSetting(row, *saver) = static_cast<int32_t>(row.defaultValue);
    }
}

void LoadSettingsFrom(TSaver& saver, const SettingsPaths& paths, const SettingsWriter& write) {
    settingsPath.clear();
    for (const std::string* path : {&paths.programFile, &paths.userFile}) {
        if (auto lines = ReadSettingsLines(*path)) {
            ApplySettingsLines(saver, *lines);
            settingsPath = *path;
            return;
        }
    }
    SaveSettingsTo(saver, paths, write);
}

void SaveSettingsTo(const TSaver& saver, const SettingsPaths& paths, const SettingsWriter& write) {
    const std::vector<std::string> lines = SettingsLines(saver);
    if (!settingsPath.empty()) {
        write(settingsPath, lines, settingsPath == paths.userFile);
    } else if (write(paths.programFile, lines, false)) {
        settingsPath = paths.programFile;
    } else if (write(paths.userFile, lines, true)) {
        settingsPath = paths.userFile;
    }
}

const std::string& SettingsLocation() {
    return settingsPath;
}

void TSaver::LoadSettings() {
    LoadSettingsFrom(*this, DefaultSettingsPaths());
}

void TSaver::SaveSettings() {
    SaveSettingsTo(*this, DefaultSettingsPaths());
}
