// Settings file access: locating and reading eight lines; writing is the system's
// (saver/system/posix/settings_write.cpp, saver/system/win32/settings_write.cpp).
#include "saver/settings_file.h"

#include "runtime/file_paths.h"
#include "runtime/program.h"
#include "runtime/text_lines.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

SettingsPaths DefaultSettingsPaths() {
    return {JoinPath(ProgramDirectory(), "Capsaro.cfg"), JoinPath(UserSettingsFolder(), "Capsaro.cfg")};
}

std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(FilePath(path), error)) return std::nullopt;
    FilePtr file(OpenFile(path, "rb"));
    if (!file) return std::nullopt;
    LineReader reader(file.get(), kSettingsReadLimit);
    std::vector<std::string> lines;
    for (int i = 0; i < kSettingsLineCount; ++i)
        lines.push_back(reader.ReadLine());
    return lines;
}
