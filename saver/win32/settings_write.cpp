// Writing the settings file on Windows: a temporary file beside it, flushed and moved over it;
// where no file can be made beside it, the file itself is rewritten. The user's folder for the
// settings is %APPDATA%\Capsaro.
#include "saver/settings_file.h"

#include "runtime/folders.h"
#include "runtime/program.h"
#include "runtime/text_lines.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), size);
    out.resize(out.size() - 1);
    return out;
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

bool WriteLines(std::FILE* file, const std::vector<std::string>& lines) {
    bool ok = true;
    for (const std::string& line : lines)
        ok = ok && WriteLine(file, line);
    return ok && std::fflush(file) == 0;
}

bool WriteInPlace(const std::string& path, const std::vector<std::string>& lines) {
    FilePtr file(_wfopen(Wide(path).c_str(), L"wb"));
    if (!file) return false;
    const bool ok = WriteLines(file.get(), lines);
    return (std::fclose(file.release()) == 0) && ok;
}

} // namespace

std::string UserSettingsFolder() {
    PWSTR folder = nullptr;
    std::string path;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder) == S_OK) path = Utf8(folder);
    CoTaskMemFree(folder);
    for (char& c : path)
        if (c == '\\') c = '/';
    return (path.empty() ? ProgramDirectory() : path) + "/Capsaro";
}

bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines, bool makeFolders) {
    if (makeFolders && !MakeFolders(DirectoryOf(path))) return false;
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const std::string temporary = path + ".new";
    FilePtr file(_wfopen(Wide(temporary).c_str(), L"wb"));
    if (!file) return exists && WriteInPlace(path, lines);
    bool ok = WriteLines(file.get(), lines);
    ok = (std::fclose(file.release()) == 0) && ok;
    ok = ok && MoveFileExW(Wide(temporary).c_str(), Wide(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(Wide(temporary).c_str());
    return ok;
}
