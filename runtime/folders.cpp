// mkdir -p.
#include "runtime/folders.h"

#include <filesystem>
#include <system_error>

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}
