// Settings file access: locating, reading eight lines, and atomic replacement.
#include "saver/settings_file.h"

#include "runtime/folders.h"
#include "runtime/program.h"
#include "runtime/text_lines.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string UserConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config";
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

SettingsPaths DefaultSettingsPaths() {
    return {ProgramDirectory() + "/Capsaro.cfg", UserConfigHome() + "/capsaro/Capsaro.cfg"};
}

std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    LineReader reader(file.get(), kSettingsReadLimit);
    std::vector<std::string> lines;
    for (int i = 0; i < kSettingsLineCount; ++i)
        lines.push_back(reader.ReadLine());
    return lines;
}

bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines, bool makeFolders) {
    const std::string folder = DirectoryOf(path);
    if (makeFolders && !MakeFolders(folder)) return false;
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    fchmod(fd, NewFileMode());
    FilePtr file(fdopen(fd, "wb"));
    if (!file) {
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    bool ok = true;
    for (const std::string& line : lines)
        ok = ok && WriteLine(file.get(), line);
    ok = ok && std::fflush(file.get()) == 0 && fsync(fileno(file.get())) == 0;
    ok = (std::fclose(file.release()) == 0) && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}
