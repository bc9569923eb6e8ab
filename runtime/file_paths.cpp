// Joining names; the conversions to the system's paths are in posix/ and win32/.
#include "runtime/file_paths.h"

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}
