// Loading and saving the saver's eight settings with explicit paths (TSaver's LoadSettings and
// SaveSettings use the default paths of this process).
#pragma once

#include "saver/saver.h"
#include "saver/settings_file.h"

#include <functional>

// Writes a settings file as WriteSettingsFile does, true on success; tests pass fakes that play a
// folder that cannot be written.
using SettingsWriter =
    std::function<bool(const std::string& path, const std::vector<std::string>& lines, bool makeFolders)>;

// Reads the program-folder file, else the user's file; when neither exists, stores the values in
// force (beside the program when it can, else in the user's folder).
void LoadSettingsFrom(TSaver& saver, const SettingsPaths& paths, const SettingsWriter& write = WriteSettingsFile);
// Writes where the settings were read from or first saved; before that, beside the program when
// it can, else in the user's folder (making its missing folders). A failure leaves the old file
// as it was and says nothing.
void SaveSettingsTo(const TSaver& saver, const SettingsPaths& paths, const SettingsWriter& write = WriteSettingsFile);
// The file this process reads and writes; empty while there is none.
const std::string& SettingsLocation();
