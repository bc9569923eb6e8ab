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
    // Each window system is asked at most once (asking may mean connecting to it).
    std::vector<int> known(entries.size(), -1);
    const auto reachable = [&](size_t index) {
        if (known[index] < 0) known[index] = entries[index]->reachable() ? 1 : 0;
        return known[index] == 1;
    };
    if (ShowsInAWindow(arguments))
        for (size_t index = 0; index < entries.size(); ++index)
            if (entries[index]->showsInOtherWindows && reachable(index)) return entries[index];
    // The last entry is taken whether it can be reached or not: it is not asked.
    for (size_t index = 0; index + 1 < entries.size(); ++index)
        if (reachable(index)) return entries[index];
    return entries.back();
}
