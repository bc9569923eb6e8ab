// mkdir -p.
#include "runtime/folders.h"

#include "runtime/program.h"

#include <cerrno>
#include <sys/stat.h>

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const std::string parent = DirectoryOf(folder);
    if (parent != folder && parent != "." && !MakeFolders(parent)) return false;
    return mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}
