// The capsaro executable end to end: exit status 0 on every path, and where its settings land.
// Runs without an X display, so no mode can open a window.
#include "tests/support/files.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kProgram = fs::path(CAPSARO_BINARY_DIR) / "capsaro";

struct Run {
    int status; // exit status, or -1 when it did not exit normally
};

// Runs `program` with `arguments` in `workDir`, without DISPLAY, with HOME and XDG_CONFIG_HOME
// inside `home`.
Run RunProgram(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& workDir,
               const fs::path& home) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(workDir.c_str()) != 0) _exit(120);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("XSCREENSAVER_WINDOW");
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(121);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "bin");
        fs::create_directories(root / "elsewhere");
        fs::create_directories(root / "home");
        copy = root / "bin" / "capsaro";
        fs::copy_file(kProgram, copy);
    }
    TempFolder folder{"program"};
    fs::path root = folder.Path();
    fs::path copy;
};

} // namespace

TEST_F(ProgramTest, CopyInAnEmptyFolderCreatesTheDefaultFileBesideItself) {
    EXPECT_EQ(RunProgram(copy, {"/a"}, root / "elsewhere", root / "home").status, 0);
    EXPECT_EQ(ReadFileBytes(root / "bin" / "Capsaro.cfg"), "200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
    EXPECT_TRUE(fs::is_empty(root / "elsewhere"));
    EXPECT_FALSE(fs::exists(root / "home" / ".config" / "capsaro"));
}

TEST_F(ProgramTest, EverySwitchAndAnyArgumentListExitsWithZero) {
    const std::vector<std::vector<std::string>> argumentLists = {
        {"/a"},
        {"-A"},
        {"x"},
        {"s"},
        {""},
        {"", ""},
        {"/s"},
        {"-S", "extra"},
        {"/p"},
        {"/p", "0"},
        {"/l", "junk"},
        {"/c"},
        {"/c:12"},
        {"/zz"},
        {std::string(100000, 'a')},
        {"\xff\xfe/\x80"},
        {"/a", std::string(5000, '\xC3')},
    };
    for (const auto& arguments : argumentLists) {
        EXPECT_EQ(RunProgram(copy, arguments, root / "elsewhere", root / "home").status, 0)
            << (arguments.empty() ? "" : arguments[0].substr(0, 20));
    }
}

TEST_F(ProgramTest, JunkSettingsFileStillExitsWithZero) {
    std::ofstream(root / "bin" / "Capsaro.cfg", std::ios::binary) << std::string("\0\xff\x01junk\r\r\n-$%", 13);
    EXPECT_EQ(RunProgram(copy, {"/s"}, root / "elsewhere", root / "home").status, 0);
    fs::remove(root / "bin" / "Capsaro.cfg");
    fs::create_directory(root / "bin" / "Capsaro.cfg");
    EXPECT_EQ(RunProgram(copy, {"/a"}, root / "elsewhere", root / "home").status, 0);
    EXPECT_EQ(ReadFileBytes(root / "home" / ".config" / "capsaro" / "Capsaro.cfg").size(), 36u);
}

TEST_F(ProgramTest, OwnOptionsExitWithTwoOnFaultsAndZeroForHelpAndVersion) {
    const fs::path work = root / "elsewhere", home = root / "home";
    EXPECT_EQ(RunProgram(copy, {"--help"}, work, home).status, 0);
    EXPECT_EQ(RunProgram(copy, {"-version"}, work, home).status, 0);
    for (const std::vector<std::string>& faulty :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"/s", "--count", "many"},
                                               {"--scale"},
                                               {"--motion", "9", "/s"},
                                               {"--root", "--window-id", "x"},
                                               // One run's overrides would be stored by the configuration window's OK.
                                               {"--count", "5"},
                                               {"/c", "--no-clear"}}) {
        EXPECT_EQ(RunProgram(copy, faulty, work, home).status, 2) << faulty[0];
    }
    // Help and version leave no settings file behind: they run before anything is loaded.
    EXPECT_FALSE(fs::exists(root / "bin" / "Capsaro.cfg"));
    // Unknown Windows-style switches keep their silence.
    EXPECT_EQ(RunProgram(copy, {"-q", "/zz"}, work, home).status, 0);
}

TEST_F(ProgramTest, OverridesNeverReachTheSettingsFile) {
    const std::string stored = "12\r\n0.250000000\r\n1\r\n1\r\n1\r\n1\r\n3\r\n0\r\n";
    std::ofstream(root / "bin" / "Capsaro.cfg", std::ios::binary) << stored;
    EXPECT_EQ(RunProgram(copy,
                         {"/a", "--count", "900", "--scale", "2", "--no-desktop", "--no-names", "--no-shadows",
                          "--no-change", "--motion", "1", "--clear"},
                         root / "elsewhere", root / "home")
                  .status,
              0);
    // Without a display the hosted run has nothing to draw into and returns.
    EXPECT_EQ(RunProgram(copy, {"--root", "--count", "900"}, root / "elsewhere", root / "home").status, 0);
    EXPECT_EQ(ReadFileBytes(root / "bin" / "Capsaro.cfg"), stored);
}
