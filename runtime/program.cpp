// Program folder and arguments, read once at start-up.
#include "runtime/program.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string programDirectory = ".";
std::string startingDirectory = ".";
std::vector<std::string> programArguments;

std::string ExecutablePath(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length > 0) return std::string(buffer, static_cast<size_t>(length));
    // Without /proc, resolve the name the program was started by.
    if (argv0 && realpath(argv0, buffer)) return buffer;
    return argv0 ? argv0 : "";
}

} // namespace

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void InitProgram(int argc, char** argv) {
    programArguments.clear();
    for (int i = 0; i < argc; ++i)
        programArguments.emplace_back(argv[i] ? argv[i] : "");
    if (programArguments.empty()) programArguments.emplace_back("");
    char current[PATH_MAX];
    if (getcwd(current, sizeof current)) startingDirectory = current;
    programDirectory = DirectoryOf(ExecutablePath(argc > 0 ? argv[0] : nullptr));
    if (chdir(programDirectory.c_str()) != 0) {
        // The folder stays as it was; relative files then land in the starting folder.
    }
}

const std::string& ProgramDirectory() {
    return programDirectory;
}

const std::string& StartingDirectory() {
    return startingDirectory;
}

std::vector<std::string>& ProgramArguments() {
    return programArguments;
}
