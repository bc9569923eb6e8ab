// Names as wide paths on Windows: UTF-8 becomes UTF-16 for the wide calls (_wfopen, the
// file-system library's wide paths), and back.
#include "runtime/file_paths.h"

#include "runtime/win32/wide_text.h"

std::filesystem::path FilePath(const std::string& name) {
    return std::filesystem::path(WideText(name));
}

std::string FileName(const std::filesystem::path& path) {
    return Utf8Text(path.generic_wstring().c_str());
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return _wfopen(WideText(name).c_str(), WideText(mode).c_str());
}
