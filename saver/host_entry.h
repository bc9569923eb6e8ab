// Picking the host a program runs on, where one program holds several (on Linux: Wayland and X11).
// Each host of the build gives an entry; the build lists them in its order of preference, and
// the program's entry picks one when it starts.
#pragma once

#include "saver/hosts.h"

#include <string>
#include <vector>

struct HostEntry {
    const char* name; // as CAPSARO_HOST names it: "wayland", "x11"
    // Whether the host's window system can be reached and offers what the full-screen show needs.
    bool (*reachable)();
    // Whether the host shows the dialog and the previews (windows of other programs by id).
    bool showsInOtherWindows;
    // Fills in the table of this host.
    void (*fill)(SaverHosts& hosts);
};

// The entry to run: the one `forced` names (CAPSARO_HOST); else, for the modes that show in a
// window of the program's own or another's (the dialog, the preview, a show in a named window),
// the first reachable entry that shows in other windows; else the first reachable one; with none
// reachable, the last entry (its platform then says what is missing). Null when `forced` names
// no entry.
const HostEntry* PickHostEntry(const std::vector<const HostEntry*>& entries, const char* forced,
                               const std::vector<std::string>& arguments);

// Whether the command line asks for a mode that shows in a window rather than full screen: no
// arguments or /c (the dialog), /p (the preview), --root or --window-id.
bool ShowsInAWindow(const std::vector<std::string>& arguments);

// The entries this build holds, in its order of preference (generated from the build's host list).
const std::vector<const HostEntry*>& BuildHostEntries();
