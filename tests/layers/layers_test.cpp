// The project's own sources keep the layers apart; the checker itself catches each kind of break.
#include "tests/layers/include_rules.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

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
    const std::vector<IncludeViolation> found = FindIncludeViolations(CAPSARO_SOURCE_DIR);
    EXPECT_TRUE(found.empty()) << Describe(found);
}

TEST_F(SourceTree, AnIncludeOfAHigherLayerIsCaught) {
    Write("runtime/random.cpp", "#include \"draw2d/pixmap.h\"\n");
    Write("gui/events/queue.cpp", "#include \"gui/gadgets/gadget.h\"\n");
    Write("draw2d/pixmap.cpp", "#include \"saver/saver.h\"\n");
    const std::vector<IncludeViolation> found = FindIncludeViolations(root);
    EXPECT_EQ(found.size(), 3u) << Describe(found);
}

TEST_F(SourceTree, PortableCodeReachingIntoAHostIsCaughtButHostsAndTheEntryMay) {
    Write("saver/startup.cpp", "#include \"draw2d/select/driver_select.h\"\n#include <SDL2/SDL.h>\n");
    Write("gui/gadgets/gadgets.cpp", "#  include <gtk/gtk.h>\n");
    Write("saver/x11/main.cpp", "#include \"gui/gtk/gtk_gadget_host.h\"\n#include \"draw2d/select/driver_select.h\"\n");
    Write("draw2d/gl/gl_driver.cpp", "#include \"draw2d/sdl/sdl_window.h\"\n#include <GL/gl.h>\n");
    Write("gui/gtk/gtk_pump.cpp", "#include \"gui/events/pump.h\"\n#include \"draw2d/graphics.h\"\n");
    const std::vector<IncludeViolation> found = FindIncludeViolations(root);
    std::multiset<std::string> files;
    for (const IncludeViolation& v : found)
        files.insert(v.file);
    EXPECT_EQ(files, (std::multiset<std::string>{"gui/gadgets/gadgets.cpp", "saver/startup.cpp", "saver/startup.cpp"}))
        << Describe(found);
}

TEST_F(SourceTree, AHostFileStillMayNotReachAboveItsLayer) {
    Write("draw2d/sdl/sdl_window.cpp", "#include \"gui/gadgets/gadget.h\"\n");
    Write("gui/sdl/sdl_pump.cpp", "#include \"draw2d/graphics.h\"\n");
    EXPECT_EQ(FindIncludeViolations(root).size(), 2u);
}
