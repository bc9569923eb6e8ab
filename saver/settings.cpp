// LoadSettings and SaveSettings: the eight values in file order, read leniently, never validated.
#include "saver/settings.h"

#include "runtime/convert.h"

namespace {

// Where this process read its settings or first saved them; empty until then.
std::string settingsPath;

std::vector<std::string> SettingsLines(const TSaver& saver) {
    return {
        IntToText(saver.ChilliCount), FloatToText(saver.ChilliScale), IntToText(UseDesktop), IntToText(ShowNames),
        IntToText(Shadows),           IntToText(ChangeChillies),      IntToText(MotionMode), IntToText(ClearScreen)};
}

void ApplySettingsLines(TSaver& saver, const std::vector<std::string>& lines) {
    saver.ChilliCount = TextToInt(lines[0]);
    saver.ChilliScale = TextToFloat(lines[1]);
    int32_t* const switches[] = {&UseDesktop, &ShowNames, &Shadows, &ChangeChillies, &MotionMode, &ClearScreen};
    for (size_t i = 0; i < 6; ++i)
        *switches[i] = TextToInt(lines[i + 2]);
}

} // namespace

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
