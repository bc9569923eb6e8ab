// Small helpers the tests share for reading what a program left behind.
#pragma once

#include <filesystem>
#include <string>

// Every byte of the file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// What the shell command writes on its standard output.
std::string ShellOutput(const std::string& command);
