// Small helpers the tests share for reading what a program left behind.
#pragma once

#include <filesystem>
#include <set>
#include <string>

// Every byte of the file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// The names of the entries of a folder named in UTF-8, as the system lists them; empty when it
// cannot be read.
std::set<std::string> FolderNames(const std::string& folder);

// What the shell command writes on its standard output.
std::string ShellOutput(const std::string& command);
