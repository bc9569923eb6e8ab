// Choosing among the build's hosts by CAPSARO_HOST, the mode asked for and what can be reached.
#include "saver/host_entry.h"

#include "saver/dispatch.h"

#include <string_view>

bool ShowsInAWindow(const std::vector<std::string>& arguments) {
    if (arguments.size() <= 1) return true;
    const std::string mode = SwitchOf(arguments[1]);
    if (mode == "/c" || mode == "-c" || mode == "/p" || mode == "-p" || mode == "/l" || mode == "-l") return true;
    for (size_t i = 1; i < arguments.size(); ++i) {
        std::string_view option = arguments[i];
        while (!option.empty() && option.front() == '-')
            option.remove_prefix(1);
        if (option == "root" || option.substr(0, 9) == "window-id") return true;
    }
    return false;
}

const HostEntry* PickHostEntry(const std::vector<const HostEntry*>& entries, const char* forced,
                               const std::vector<std::string>& arguments) {
    if (entries.empty()) return nullptr;
    if (forced && *forced) {
        for (const HostEntry* entry : entries)
            if (std::string_view(entry->name) == forced) return entry;
        return nullptr;
    }
    if (ShowsInAWindow(arguments))
        for (const HostEntry* entry : entries)
            if (entry->showsInOtherWindows && entry->reachable()) return entry;
    for (const HostEntry* entry : entries)
        if (entry->reachable()) return entry;
    return entries.back();
}
