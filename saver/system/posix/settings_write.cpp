// Writing the settings file on POSIX systems: a temporary file beside it, synced and renamed over
// it; links, permission bits and read-only folders respected.
#include "saver/settings_file.h"

#include "runtime/folders.h"
#include "runtime/program.h"
#include "runtime/text_lines.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteLines(std::FILE* file, const std::vector<std::string>& lines) {
    bool ok = true;
    for (const std::string& line : lines)
        ok = ok && WriteLine(file, line);
    return ok && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

// The file a write must change: a symbolic link's target (the link stays a link), else the path.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

// Where no file can be made beside it, the file itself is rewritten in place: not atomic, but
// what a writable file in a read-only folder allows.
bool WriteInPlace(const std::string& path, const std::vector<std::string>& lines) {
    if (access(path.c_str(), W_OK) != 0) return false;
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    const bool ok = WriteLines(file.get(), lines);
    return (std::fclose(file.release()) == 0) && ok;
}

} // namespace

std::string UserSettingsFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return std::string(xdg) + "/capsaro";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/capsaro";
}

bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines, bool makeFolders) {
    const std::string target = WriteTarget(path);
    const std::string folder = DirectoryOf(target);
    if (makeFolders && !MakeFolders(folder)) return false;
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return exists && WriteInPlace(target, lines);
    // The new file keeps the permission bits the user gave the old one.
    fchmod(fd, exists ? (existing.st_mode & 07777) : NewFileMode());
    FilePtr file(fdopen(fd, "wb"));
    if (!file) {
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    bool ok = WriteLines(file.get(), lines);
    ok = (std::fclose(file.release()) == 0) && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}
