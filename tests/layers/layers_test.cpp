// The project's own sources keep the layers apart; the checker itself catches each kind of break.
#include "tests/layers/include_rules.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

// The build's own table of hosts, as the build wrote it.
const HostTable& BuildHosts() {
    static const HostTable table = ParseHostTable(CAPSARO_HOST_TABLE);
    return table;
}

// A table like the build's, with a third host that builds on the first.
HostTable ThreeHosts() {
    return ParseHostTable("x11:xlib,sdl,gtk,x11:|win32:win32:|wayland:wayland:x11");
}

std::multiset<std::string> FilesOf(const std::vector<IncludeViolation>& found) {
    std::multiset<std::string> files;
    for (const IncludeViolation& v : found)
        files.insert(v.file);
    return files;
}

std::string Describe(const std::vector<IncludeViolation>& found) {
    std::string text;
    for (const IncludeViolation& v : found)
        text += v.file + " includes " + v.include + ": " + v.why + "\n";
    return text;
}

class SourceTree : public ::testing::Test {
protected:
    TempFolder folder{"layers"};
    fs::path root = folder.Path();
    void Write(const std::string& path, const std::string& text) {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }
};

} // namespace

TEST(Layers, TheProjectsSourcesIncludeNothingAboveTheirLayerOrInAHost) {
    const std::vector<IncludeViolation> found = FindIncludeViolations(CAPSARO_SOURCE_DIR, BuildHosts());
    EXPECT_TRUE(found.empty()) << Describe(found);
}

TEST_F(SourceTree, AnIncludeOfAHigherLayerIsCaught) {
    Write("runtime/random.cpp", "#include \"draw2d/pixmap.h\"\n");
    Write("gui/events/queue.cpp", "#include \"gui/gadgets/gadget.h\"\n");
    Write("draw2d/pixmap.cpp", "#include \"saver/saver.h\"\n");
    const std::vector<IncludeViolation> found = FindIncludeViolations(root, BuildHosts());
    EXPECT_EQ(found.size(), 3u) << Describe(found);
}

TEST_F(SourceTree, PortableCodeReachingIntoAHostIsCaughtButHostsAndTheEntryMay) {
    Write("saver/startup.cpp", "#include \"draw2d/select/driver_select.h\"\n#include <SDL2/SDL.h>\n");
    Write("gui/gadgets/gadgets.cpp", "#  include <gtk/gtk.h>\n");
    Write("saver/x11/main.cpp", "#include \"gui/gtk/gtk_gadget_host.h\"\n#include \"draw2d/select/driver_select.h\"\n");
    Write("draw2d/gl/gl_driver.cpp", "#include \"draw2d/sdl/sdl_window.h\"\n#include <GL/gl.h>\n");
    Write("gui/gtk/gtk_pump.cpp", "#include \"gui/events/pump.h\"\n#include \"draw2d/graphics.h\"\n");
    const std::vector<IncludeViolation> found = FindIncludeViolations(root, BuildHosts());
    const std::multiset<std::string> files = FilesOf(found);
    EXPECT_EQ(files, (std::multiset<std::string>{"gui/gadgets/gadgets.cpp", "saver/startup.cpp", "saver/startup.cpp"}))
        << Describe(found);
}

TEST_F(SourceTree, AHostFileStillMayNotReachAboveItsLayer) {
    Write("draw2d/sdl/sdl_window.cpp", "#include \"gui/gadgets/gadget.h\"\n");
    Write("gui/sdl/sdl_pump.cpp", "#include \"draw2d/graphics.h\"\n");
    EXPECT_EQ(FindIncludeViolations(root, BuildHosts()).size(), 2u);
}

TEST(Layers, TheBuildsHostTableNamesEachHostsFolders) {
    const HostTable& hosts = BuildHosts();
    EXPECT_EQ(hosts.hostOfFolder.at("x11"), "x11");
    EXPECT_EQ(hosts.hostOfFolder.at("sdl"), "x11");
    EXPECT_EQ(hosts.hostOfFolder.at("xlib"), "x11");
    EXPECT_EQ(hosts.hostOfFolder.at("win32"), "win32");
    const HostTable three = ThreeHosts();
    EXPECT_EQ(three.hostOfFolder.at("wayland"), "wayland");
    EXPECT_EQ(three.buildsOn.at("wayland"), (std::set<std::string>{"x11"}));
    EXPECT_TRUE(three.buildsOn.at("win32").empty());
}

TEST_F(SourceTree, AHostsFolderIncludingAnotherHostsIsCaughtUnlessItBuildsOnIt) {
    Write("draw2d/sdl/sdl_window.cpp", "#include \"draw2d/win32/win32_messages.h\"\n");
    Write("gui/events/win32/pump_wait.cpp", "#include \"draw2d/xlib/x_errors.h\"\n");
    Write("draw2d/gl/win32/wgl_window.cpp", "#include \"draw2d/sdl/sdl_video.h\"\n");
    Write("draw2d/x11/other.cpp", "#include \"draw2d/wayland/surface.h\"\n");
    // Allowed: the same host's folders, a host it builds on, and the hosts' shared driver folders.
    Write("draw2d/sdl/sdl_soft_host.cpp", "#include \"draw2d/xlib/x_presenter.h\"\n#include \"draw2d/gl/gl.h\"\n");
    Write("draw2d/wayland/surface.cpp", "#include \"draw2d/xlib/x_errors.h\"\n#include \"gui/events/pump.h\"\n");
    Write("gui/win32/host.cpp", "#include \"draw2d/win32/win32_messages.h\"\n#include \"runtime/win32/wide.h\"\n");
    const std::vector<IncludeViolation> found = FindIncludeViolations(root, ThreeHosts());
    const std::multiset<std::string> files = FilesOf(found);
    EXPECT_EQ(files, (std::multiset<std::string>{"draw2d/sdl/sdl_window.cpp", "gui/events/win32/pump_wait.cpp",
                                                 "draw2d/gl/win32/wgl_window.cpp", "draw2d/x11/other.cpp"}))
        << Describe(found);
}
