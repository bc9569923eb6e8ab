// Names are the system's own bytes on POSIX systems.
#include "runtime/file_paths.h"

std::filesystem::path FilePath(const std::string& name) {
    return std::filesystem::path(name);
}

std::string FileName(const std::filesystem::path& path) {
    return path.generic_string();
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return std::fopen(name.c_str(), mode);
}
