// The capsaro program where one program holds several hosts (Linux: Wayland and X11): it picks
// the one to run on and starts the saver there.
#include "saver/host_entry.h"
#include "saver/startup.h"

#include <cstdio>
#include <cstdlib>

namespace {

int RunOnPickedHost(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    const char* forced = std::getenv("CAPSARO_HOST");
    const HostEntry* entry = PickHostEntry(BuildHostEntries(), forced, arguments);
    if (!entry) {
        std::string names;
        for (const HostEntry* known : BuildHostEntries())
            names += std::string(names.empty() ? "" : ", ") + known->name;
        std::fprintf(stderr, "capsaro: CAPSARO_HOST names '%s', which is not a host here (%s)\n", forced,
                     names.c_str());
        return 2;
    }
    SaverHosts hosts;
    entry->fill(hosts);
    hosts.name = entry->name;
    return CapsaroMain(argc, argv, hosts);
}

} // namespace

int main(int argc, char** argv) {
    return RunOnPickedHost(argc, argv);
}
