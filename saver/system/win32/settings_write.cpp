// Writing the settings file on Windows: a temporary file beside it, flushed and moved over it;
// where no file can be made beside it, the file itself is rewritten. The user's folder for the
// settings is %APPDATA%\Capsaro.
#include "saver/settings_file.h"
#include "saver/system/win32/settings_folder.h"

#include "runtime/file_paths.h"
#include "runtime/folders.h"
#include "runtime/program.h"
#include "runtime/text_lines.h"
#include "runtime/win32/wide_text.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool WriteLines(std::FILE* file, const std::vector<std::string>& lines) {
    bool ok = true;
    for (const std::string& line : lines)
        ok = ok && WriteLine(file, line);
    return ok && std::fflush(file) == 0;
}

bool WriteInPlace(const std::string& path, const std::vector<std::string>& lines) {
    FilePtr file(OpenFile(path, "wb"));
    if (!file) return false;
    const bool ok = WriteLines(file.get(), lines);
    return (std::fclose(file.release()) == 0) && ok;
}

} // namespace

std::string UserSettingsFolder() {
    PWSTR folder = nullptr;
    std::string path;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder) == S_OK) path = Utf8Text(folder);
    CoTaskMemFree(folder);
    return UserSettingsFolderFor(path, ProgramDirectory());
}

bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines, bool makeFolders) {
    if (makeFolders && !MakeFolders(DirectoryOf(path))) return false;
    const DWORD attributes = GetFileAttributesW(FilePath(path).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const std::string temporary = path + ".new";
    FilePtr file(OpenFile(temporary, "wb"));
    if (!file) return exists && WriteInPlace(path, lines);
    bool ok = WriteLines(file.get(), lines);
    ok = (std::fclose(file.release()) == 0) && ok;
    ok = ok && MoveFileExW(FilePath(temporary).c_str(), FilePath(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(FilePath(temporary).c_str());
    return ok;
}
