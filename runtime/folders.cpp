// mkdir -p.
#include "runtime/folders.h"

#include "runtime/file_paths.h"

#include <filesystem>
#include <system_error>

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    const std::filesystem::path path = FilePath(folder);
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}
