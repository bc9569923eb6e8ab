// The include rules that keep the layers and the hosts apart, checked over a source tree.
//
// The layers stack runtime <- the event core of gui (events and their sources) <- draw2d <- the
// gadgets of gui <- saver: no file includes a file of a layer above its own. Host folders (named
// for a host in the build's host table) and system folders (posix, and the drivers' gl and select)
// hold the only code that may talk to a window system or the operating system; portable code
// includes none of them and no window-system header. A host's folder includes no other host's
// folder unless the table says it builds on that host. A program's entry (main.cpp in a host
// folder of saver) may include anything.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

// Which folder names belong to which host, and which hosts each host builds on.
struct HostTable {
    std::map<std::string, std::string> hostOfFolder;
    std::map<std::string, std::set<std::string>> buildsOn;
};

// Reads the build's table: "host:folder,folder:host,host" entries joined by "|" (the build writes
// it from its list of hosts).
HostTable ParseHostTable(const std::string& text);

struct IncludeViolation {
    std::string file;    // relative to the tree's root
    std::string include; // as written between the quotes or brackets
    std::string why;
};

// Every include in runtime/, draw2d/, gui/ and saver/ under `root` that breaks a rule.
std::vector<IncludeViolation> FindIncludeViolations(const std::filesystem::path& root, const HostTable& hosts);
