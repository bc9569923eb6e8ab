// The pieces of Run's dispatch that other files and tests use on their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The first two characters of a switch argument, A-Z lower-cased, padded with blanks.
std::string SwitchOf(const std::string& argument);
// The host window's handle: the next argument when the switch argument is exactly two characters
// long, else the switch argument from its fourth character; read leniently; 0 when absent.
int64_t HostWindowHandle(const std::vector<std::string>& arguments);
// Whether the Windows-style command line (program name first) opens the configuration window.
bool RunsConfigWindow(const std::vector<std::string>& arguments);
// Sets CurrentMotionMode from MotionMode, drawing one of the four movements when it is MotionRandom.
void ResolveMotionMode();
