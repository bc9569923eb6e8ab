// The include rules that keep the layers apart, checked over a source tree.
//
// The layers stack runtime <- the event core of gui (events and their sources) <- draw2d <- the
// gadgets of gui <- saver: no file includes a file of a layer above its own. Host folders (named
// for a window system or operating system) hold the only code that may talk to a host; portable
// code includes none of them and no window-system header. A program's entry (main.cpp in a host
// folder of saver) may include anything.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct IncludeViolation {
    std::string file;    // relative to the tree's root
    std::string include; // as written between the quotes or brackets
    std::string why;
};

// Every include in runtime/, draw2d/, gui/ and saver/ under `root` that breaks a rule.
std::vector<IncludeViolation> FindIncludeViolations(const std::filesystem::path& root);
