// Loading and saving the saver's eight settings with explicit paths (TSaver's LoadSettings and
// SaveSettings use the default paths of this process).
#pragma once

#include "saver/saver.h"
#include "saver/settings_file.h"

// Reads the program-folder file, else the user's file; when neither exists, stores the values in
// force (beside the program when it can, else in the user's folder).
void LoadSettingsFrom(TSaver& saver, const SettingsPaths& paths);
// Writes where the settings were read from or first saved; before that, beside the program when
// it can, else in the user's folder. A failure leaves the old file as it was and says nothing.
void SaveSettingsTo(const TSaver& saver, const SettingsPaths& paths);
// The file this process reads and writes; empty while there is none.
const std::string& SettingsLocation();
