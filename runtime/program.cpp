// Program folder and arguments, read once at start-up.
#include "runtime/program.h"

#include "runtime/system.h"

#include <filesystem>
#include <system_error>

namespace {

std::string programDirectory = ".";
std::string startingDirectory = ".";
std::vector<std::string> programArguments;

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
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error) startingDirectory = current.generic_string();
    programDirectory = DirectoryOf(ExecutablePath(argc > 0 ? argv[0] : nullptr));
    // Where that fails the folder stays as it was; relative files then land in the starting folder.
    std::filesystem::current_path(programDirectory, error);
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
