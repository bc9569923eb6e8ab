// The user's settings folder on Windows, from the system's answers (kept apart from the system
// calls so tests can give any answer).
#pragma once

#include <string>

// `appData` is the roaming application-data folder (empty when the system gives none) and
// `programDirectory` the program's folder: <appData>/Capsaro, else <programDirectory>/Capsaro,
// with forward slashes.
std::string UserSettingsFolderFor(const std::string& appData, const std::string& programDirectory);
