// Reading files and command output for tests.
#include "tests/support/files.h"

#include <cstdio>
#include <fstream>
#include <sstream>

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
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
