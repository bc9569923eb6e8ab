// Scans the source folders' includes and names those that reach above their layer or into a host.
#include "tests/layers/include_rules.h"

#include <array>
#include <fstream>
#include <optional>
#include <regex>

namespace fs = std::filesystem;

namespace {

// Folders named like these hold host code.
constexpr std::array<const char*, 7> kHostFolders = {"sdl", "gl", "gtk", "x11", "select", "win32", "posix"};
// Headers only host code may include.
constexpr std::array<const char*, 8> kWindowSystemHeaders = {"SDL", "X11/", "gtk/",      "gdk/",
                                                             "GL/", "EGL/", "windows.h", "glib"};

struct Place {
    int rank = -1; // -1: outside the layered folders (generated headers, tests)
    bool host = false;
};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The layer of a path relative to the root: 0 runtime, 1 event core, 2 draw2d, 3 gadgets, 4 saver.
Place PlaceOf(const std::string& path) {
    Place place;
    if (StartsWith(path, "runtime/"))
        place.rank = 0;
    else if (StartsWith(path, "gui/events/") || StartsWith(path, "gui/sdl/") || StartsWith(path, "gui/headless/"))
        place.rank = 1;
    else if (StartsWith(path, "draw2d/"))
        place.rank = 2;
    else if (StartsWith(path, "gui/"))
        place.rank = 3;
    else if (StartsWith(path, "saver/"))
        place.rank = 4;
    const fs::path folders = fs::path(path).parent_path();
    for (const fs::path& folder : folders)
        for (const char* host : kHostFolders)
            if (folder == host) place.host = true;
    return place;
}

bool IsEntry(const std::string& path) {
    const Place place = PlaceOf(path);
    return place.rank == 4 && place.host && fs::path(path).filename() == "main.cpp";
}

void CheckFile(const fs::path& root, const fs::path& file, std::vector<IncludeViolation>& out) {
    static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    const std::string path = fs::relative(file, root).generic_string();
    const Place from = PlaceOf(path);
    if (from.rank < 0 || IsEntry(path)) return;
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
        const Place to = PlaceOf(include);
        if (to.rank < 0) continue;
        if (to.rank > from.rank)
            out.push_back({path, include, "reaches a layer above its own"});
        else if (to.host && !from.host)
            out.push_back({path, include, "portable code includes a host folder"});
    }
}

} // namespace

std::vector<IncludeViolation> FindIncludeViolations(const fs::path& root) {
    std::vector<IncludeViolation> found;
    for (const char* top : {"runtime", "draw2d", "gui", "saver"}) {
        const fs::path folder = root / top;
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            const fs::path& file = entry.path();
            if (entry.is_regular_file() && (file.extension() == ".cpp" || file.extension() == ".h"))
                CheckFile(root, file, found);
        }
    }
    return found;
}
