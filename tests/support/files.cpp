// Reading files and command output for tests.
#include "tests/support/files.h"

#include "runtime/file_paths.h"

#include <cstdio>
#include <fstream>
#include <sstream>

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> FolderNames(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FilePath(folder), error))
        names.insert(FileName(entry.path().filename()));
    return names;
}

std::string ShellOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}
