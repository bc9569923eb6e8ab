// Program folder and arguments, read once at start-up.
#include "runtime/program.h"

#include "runtime/file_paths.h"
#include "runtime/system.h"

#include <cctype>
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
    // The root keeps its slash: "/" and a drive's "Y:/" (plain "Y:" would mean that drive's
    // current folder, wherever that is).
    const bool driveRoot = slash == 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    if (slash == 0 || driveRoot) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

void InitProgram(int argc, char** argv) {
    programArguments = SystemArguments(argc, argv);
    if (programArguments.empty()) programArguments.emplace_back("");
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error) startingDirectory = FileName(current);
    programDirectory = DirectoryOf(ExecutablePath(argc > 0 ? argv[0] : nullptr));
    // Where that fails the folder stays as it was; relative files then land in the starting folder.
    std::filesystem::current_path(FilePath(programDirectory), error);
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
