// What the runtime knows about the running program: its folder and its arguments.
#pragma once

#include <string>
#include <vector>

// Sets ProgramDirectory and ProgramArguments from the process and makes the program's folder the
// current directory, so relative file names (screenshots) land beside the program.
void InitProgram(int argc, char** argv);

// The folder of the running executable, without a trailing slash except for a root ("/", "Y:/").
const std::string& ProgramDirectory();
// Element 0 is the program's own path; Run may extend it.
std::vector<std::string>& ProgramArguments();

// The current directory when the program started (before InitProgram changed it).
const std::string& StartingDirectory();

// The folder part of a path by the same rule: cut before the last slash, which stays when it is a
// root's ("/", "Y:/"); "." when there is no slash.
std::string DirectoryOf(const std::string& path);
