// File and folder names as the program keeps them (UTF-8, '/' between folders) handed to the
// system's file calls. This is the one place where a name becomes what those calls take: on
// Windows a wide (UTF-16) path, since the narrow calls read names in the local code page and
// would turn "café" into another name; elsewhere the bytes as they are.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// The name as a path of the file-system library.
std::filesystem::path FilePath(const std::string& name);
// A path of the file-system library as a name: UTF-8, '/' between folders.
std::string FileName(const std::filesystem::path& path);
// std::fopen of a name; null when it cannot be opened.
std::FILE* OpenFile(const std::string& name, const char* mode);

// `folder` and `name` joined by one slash; a folder that already ends in a slash (the root "/",
// a drive's root "Y:/") gets none added.
std::string JoinPath(const std::string& folder, const std::string& name);
