// Scans the source folders' includes and names those that reach above their layer or into a host.
#include "tests/layers/include_rules.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <regex>

namespace fs = std::filesystem;

namespace {

// Folders that talk to the system for every host: the POSIX side of a library, the OpenGL driver
// and the drivers' choice.
constexpr std::array<const char*, 3> kSystemFolders = {"posix", "gl", "select"};
// Headers only host code may include.
constexpr std::array<const char*, 8> kWindowSystemHeaders = {"SDL", "X11/", "gtk/",      "gdk/",
                                                             "GL/", "EGL/", "windows.h", "glib"};

struct Place {
    int rank = -1;     // -1: outside the layered folders (generated headers, tests)
    bool host = false; // in a host or system folder
    std::string owner; // the host whose folder it is in; empty for portable code and system folders
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The layer of a path relative to the root: 0 runtime, 1 event core, 2 draw2d, 3 gadgets, 4 saver.
Place PlaceOf(const std::string& path, const HostTable& hosts) {
    Place place;
    if (StartsWith(path, "runtime/"))
        place.rank = 0;
    else if (StartsWith(path, "gui/events/") || StartsWith(path, "gui/sdl/") || StartsWith(path, "gui/wayland/") ||
             StartsWith(path, "gui/headless/"))
        place.rank = 1;
    else if (StartsWith(path, "draw2d/"))
        place.rank = 2;
    else if (StartsWith(path, "gui/"))
        place.rank = 3;
    else if (StartsWith(path, "saver/"))
        place.rank = 4;
    // The innermost host folder decides (draw2d/gl/sdl is the SDL host's part of the GL driver).
    const fs::path folders = fs::path(path).parent_path();
    for (const fs::path& folder : folders) {
        for (const char* system : kSystemFolders)
            if (folder == system) place.host = true;
        if (const auto found = hosts.hostOfFolder.find(folder.string()); found != hosts.hostOfFolder.end()) {
            place.host = true;
            place.owner = found->second;
        }
    }
    return place;
}

// True when code of `from` may include code of `to`: the same host, or one it builds on (directly
// or through another).
bool BuildsOn(const HostTable& hosts, const std::string& from, const std::string& to) {
    std::set<std::string> seen;
    std::vector<std::string> open{from};
    while (!open.empty()) {
        const std::string host = open.back();
        open.pop_back();
        if (host == to) return true;
        if (!seen.insert(host).second) continue;
        if (const auto found = hosts.buildsOn.find(host); found != hosts.buildsOn.end())
            open.insert(open.end(), found->second.begin(), found->second.end());
    }
    return false;
}

bool IsEntry(const std::string& path, const HostTable& hosts) {
    const Place place = PlaceOf(path, hosts);
    return place.rank == 4 && place.host && fs::path(path).filename() == "main.cpp";
}

void CheckFile(const fs::path& root, const fs::path& file, const HostTable& hosts, std::vector<IncludeViolation>& out) {
    static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    const std::string path = fs::relative(file, root).generic_string();
    const Place from = PlaceOf(path, hosts);
    if (from.rank < 0 || IsEntry(path, hosts)) return;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::smatch match;
        if (!std::regex_search(line, match, includeLine)) continue;
        const std::string include = match[2];
        if (match[1] == "<") {
            if (from.host) continue;
            for (const char* header : kWindowSystemHeaders)
                if (StartsWith(include, header))
                    out.push_back({path, include, "window-system header in portable code"});
            continue;
        }
        const Place to = PlaceOf(include, hosts);
        if (to.rank < 0) continue;
        if (to.rank > from.rank)
            out.push_back({path, include, "reaches a layer above its own"});
        else if (to.host && !from.host)
            out.push_back({path, include, "portable code includes a host folder"});
        else if (!from.owner.empty() && !to.owner.empty() && !BuildsOn(hosts, from.owner, to.owner))
            out.push_back({path, include, "host " + from.owner + " includes host " + to.owner});
    }
}

} // namespace

HostTable ParseHostTable(const std::string& text) {
    HostTable table;
    for (const std::string& entry : Split(text, '|')) {
        const size_t nameEnd = entry.find(':');
        const std::string host = entry.substr(0, nameEnd);
        if (host.empty()) continue;
        const std::string rest = nameEnd == std::string::npos ? "" : entry.substr(nameEnd + 1);
        const size_t foldersEnd = rest.find(':');
        for (const std::string& folder : Split(rest.substr(0, foldersEnd), ','))
            table.hostOfFolder[folder] = host;
        std::set<std::string>& buildsOn = table.buildsOn[host];
        if (foldersEnd != std::string::npos)
            for (const std::string& other : Split(rest.substr(foldersEnd + 1), ','))
                buildsOn.insert(other);
    }
    return table;
}

std::vector<IncludeViolation> FindIncludeViolations(const fs::path& root, const HostTable& hosts) {
    std::vector<IncludeViolation> found;
    for (const char* top : {"runtime", "draw2d", "gui", "saver"}) {
        const fs::path folder = root / top;
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            const fs::path& file = entry.path();
            if (entry.is_regular_file() && (file.extension() == ".cpp" || file.extension() == ".h"))
                CheckFile(root, file, hosts, found);
        }
    }
    return found;
}
