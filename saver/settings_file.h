// Where the eight-line settings file lives, and reading and writing it safely.
//
// The file normally sits beside the program. When the program's folder allows neither reading
// nor creating it (an installed copy under /usr), the settings live in the user's configuration
// folder instead, so that changes are kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

constexpr int kSettingsLineCount = 8;
// A settings file is eight short numbers; nothing past this many bytes is ever read.
constexpr size_t kSettingsReadLimit = 64 * 1024;

struct SettingsPaths {
    std::string programFile; // beside the program
    std::string userFile;    // in the user's configuration folder
};

// The paths for this process: ProgramDirectory and UserSettingsFolder.
SettingsPaths DefaultSettingsPaths();
// The user's own folder for the settings: $XDG_CONFIG_HOME/capsaro (or ~/.config/capsaro) on
// POSIX systems, %APPDATA%\Capsaro on Windows.
std::string UserSettingsFolder();

// Reads eight lines of a regular file; empty text for each line the file does not have.
// Nothing when the path cannot be opened for reading or names no regular file.
std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path);

// Writes the lines, each ending in CR LF, to a new file in the same folder and renames it over
// `path`, so the old file stays whole when anything fails; the new file keeps the old one's
// permission bits, and a `path` that is a symbolic link stays one (its target is replaced). Where
// the folder allows no new file but the file itself is writable, the file is rewritten in place.
// Creates missing folders when `makeFolders` is set. False on any failure, with nothing left
// behind.
bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines, bool makeFolders);
