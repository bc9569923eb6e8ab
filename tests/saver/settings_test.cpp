// The settings file: exact bytes, lenient reading, short files, fallback folder, atomic replace.
#include "tests/support/files.h"
#include "tests/support/saver_globals.h"
#include "tests/support/temp_folder.h"

#include "saver/settings.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "program");
        paths = {(root / "program" / "Capsaro.cfg").string(), (root / "config" / "capsaro" / "Capsaro.cfg").string()};
        ResetSaverSettings(&saver);
    }
    void TearDown() override { ResetSaverSettings(&saver); }
    // A program folder that can be neither read nor written, even by root: its parent is a file.
    void MakeProgramFolderUnusable() {
        WriteBytes(root / "notafolder", "x");
        paths.programFile = (root / "notafolder" / "Capsaro.cfg").string();
    }

    TempFolder folder{"settings"};
    fs::path root = folder.Path();
    SettingsPaths paths;
    TSaver saver;
};

const std::string kDefaultFile = "200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n";

} // namespace

TEST_F(SettingsTest, FirstStartWritesTheExact36ByteDefaultFile) {
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(ReadFileBytes(paths.programFile), kDefaultFile);
    EXPECT_EQ(kDefaultFile.size(), 36u);
    EXPECT_EQ(SettingsLocation(), paths.programFile);
    EXPECT_FALSE(fs::exists(paths.userFile));
    EXPECT_EQ(saver.ChilliCount, 200);
    EXPECT_EQ(ClearScreen, 1);
}

TEST_F(SettingsTest, ReadsLenientlyAndWritesBackExactly) {
    WriteBytes(paths.programFile, " 150abc\n2\n2\n1\n$1\n%1\n3\n7\n");
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 150);
    EXPECT_EQ(saver.ChilliScale, 2.0f);
    EXPECT_EQ(UseDesktop, 2);
    EXPECT_FALSE(IsOn(UseDesktop));
    EXPECT_EQ(ShowNames, 1);
    EXPECT_EQ(Shadows, 1);
    EXPECT_EQ(ChangeChillies, 1);
    EXPECT_EQ(MotionMode, 3);
    EXPECT_EQ(ClearScreen, 7);
    SaveSettingsTo(saver, paths);
    EXPECT_EQ(ReadFileBytes(paths.programFile), "150\r\n2.00000000\r\n2\r\n1\r\n1\r\n1\r\n3\r\n7\r\n");
}

TEST_F(SettingsTest, LfAndCrLfReadTheSame) {
    WriteBytes(paths.programFile, "$FF\n0.25\n1\n0\n1\n0\n4\n0\n");
    LoadSettingsFrom(saver, paths);
    const int32_t count = saver.ChilliCount;
    const float scale = saver.ChilliScale;
    const int32_t mode = MotionMode;
    ResetSaverSettings(&saver);
    WriteBytes(paths.programFile, "$FF\r\n0.25\r\n1\r\n0\r\n1\r\n0\r\n4\r\n0\r\n");
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, count);
    EXPECT_EQ(saver.ChilliCount, 255);
    EXPECT_EQ(saver.ChilliScale, scale);
    EXPECT_EQ(MotionMode, mode);
}

TEST_F(SettingsTest, ShortFileSetsMissingLinesToZero) {
    WriteBytes(paths.programFile, "10\r\n1.5\r\n1\r\n1\r\n1\r\n");
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 10);
    EXPECT_EQ(Shadows, 1);
    EXPECT_EQ(ChangeChillies, 0);
    EXPECT_EQ(MotionMode, 0);
    EXPECT_EQ(ClearScreen, 0);
    // An empty file: every value 0, and the file is not rewritten.
    WriteBytes(paths.programFile, "");
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 0);
    EXPECT_EQ(saver.ChilliScale, 0.0f);
    EXPECT_EQ(ReadFileBytes(paths.programFile), "");
}

TEST_F(SettingsTest, BadFilesLoadWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(static_cast<char>((i * 7919) & 0xFF));
    WriteBytes(paths.programFile, junk);
    LoadSettingsFrom(saver, paths);
    // A huge file of NUL bytes (sparse, so the test stays cheap): each NUL ends a line.
    { std::ofstream(paths.programFile, std::ios::binary | std::ios::trunc); }
    fs::resize_file(paths.programFile, 100u << 20);
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 0);
    // Two megabytes without a line end: read no further than the read limit.
    WriteBytes(paths.programFile, "12" + std::string(2u << 20, '3'));
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(SettingsLocation(), paths.programFile);
}

TEST_F(SettingsTest, AFolderNamedLikeTheFileFallsBackToTheUserFolder) {
    fs::create_directories(paths.programFile);
    LoadSettingsFrom(saver, paths);
    EXPECT_TRUE(fs::is_directory(paths.programFile));
    EXPECT_EQ(ReadFileBytes(paths.userFile), kDefaultFile);
    EXPECT_EQ(SettingsLocation(), paths.userFile);
}

TEST_F(SettingsTest, UnusableProgramFolderKeepsSettingsInTheUserFolder) {
    MakeProgramFolderUnusable();
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(ReadFileBytes(paths.userFile), kDefaultFile);
    // A change is saved where the settings live, and read back next time.
    saver.ChilliCount = 33;
    SaveSettingsTo(saver, paths);
    ResetSaverSettings(&saver);
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 33);
}

TEST_F(SettingsTest, ProgramFolderFileWinsOverTheUserFile) {
    fs::create_directories(fs::path(paths.userFile).parent_path());
    WriteBytes(paths.userFile, "5\n");
    WriteBytes(paths.programFile, "6\n");
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 6);
    fs::remove(paths.programFile);
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 5);
    EXPECT_EQ(SettingsLocation(), paths.userFile);
}

TEST_F(SettingsTest, FailedWriteLeavesTheOldFileWhole) {
    WriteBytes(paths.programFile, "77\r\n");
    // The temporary file cannot be created where its name would need a folder that is a file.
    EXPECT_FALSE(WriteSettingsFile(paths.programFile + "/x", {"1"}, false));
    // A rename onto a non-empty folder fails after the temporary was written: nothing is left.
    fs::create_directories(root / "program" / "busy" / "inside");
    EXPECT_FALSE(WriteSettingsFile((root / "program" / "busy").string(), {"1"}, false));
    EXPECT_EQ(ReadFileBytes(paths.programFile), "77\r\n");
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(root / "program"))
        entries += entry.is_regular_file();
    EXPECT_EQ(entries, 1u);
}

TEST_F(SettingsTest, NothingUsableAnywhereRunsWithTheValuesInMemory) {
    MakeProgramFolderUnusable();
    paths.userFile = (root / "notafolder" / "capsaro" / "Capsaro.cfg").string();
    saver.ChilliCount = 12;
    LoadSettingsFrom(saver, paths);
    EXPECT_EQ(saver.ChilliCount, 12);
    EXPECT_EQ(SettingsLocation(), "");
}

namespace {

// Runs `write` in a child process without root's privileges (as user nobody when the test runs as
// root), so that folder permissions hold; true when it returned true.
bool AsUnprivileged(const std::function<bool()>& write) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        _exit(write() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const std::vector<std::string> kNewLines = {"5", "1.00000000", "1", "1", "1", "1", "4", "0"};
const std::string kNewFile = "5\r\n1.00000000\r\n1\r\n1\r\n1\r\n1\r\n4\r\n0\r\n";

} // namespace

TEST_F(SettingsTest, AWritableFileInAReadOnlyFolderIsRewrittenInPlace) {
    const fs::path programFolder = root / "program";
    WriteBytes(paths.programFile, kDefaultFile);
    fs::permissions(paths.programFile, fs::perms(0666));
    fs::permissions(programFolder, fs::perms(0555));
    if (geteuid() == 0) {
        ASSERT_EQ(chown(paths.programFile.c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    ASSERT_EQ(stat(paths.programFile.c_str(), &before), 0);
    EXPECT_TRUE(AsUnprivileged([&] { return WriteSettingsFile(paths.programFile, kNewLines, false); }));
    EXPECT_EQ(ReadFileBytes(paths.programFile), kNewFile);
    struct stat after {};
    stat(paths.programFile.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, written in place";
    // Nothing else appeared in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(programFolder), fs::directory_iterator()), 1);

    // A file the user may not write either stays as it was, and the write says so.
    fs::permissions(paths.programFile, fs::perms(0444));
    EXPECT_FALSE(AsUnprivileged([&] {
        return WriteSettingsFile(paths.programFile, {"1", "1", "1", "1", "1", "1", "1", "1"}, false);
    }));
    EXPECT_EQ(ReadFileBytes(paths.programFile), kNewFile);
    fs::permissions(programFolder, fs::perms(0755));
}

TEST_F(SettingsTest, AReplacedFileKeepsItsPermissionsAndALinkStaysALink) {
    WriteBytes(paths.programFile, kDefaultFile);
    fs::permissions(paths.programFile, fs::perms(0600));
    ASSERT_TRUE(WriteSettingsFile(paths.programFile, kNewLines, false));
    EXPECT_EQ(ReadFileBytes(paths.programFile), kNewFile);
    EXPECT_EQ(fs::status(paths.programFile).permissions() & fs::perms::all, fs::perms(0600));

    // The settings kept elsewhere, linked from beside the program.
    fs::create_directories(root / "dotfiles");
    const fs::path real = root / "dotfiles" / "Capsaro.cfg";
    WriteBytes(real, kDefaultFile);
    fs::permissions(real, fs::perms(0640));
    fs::remove(paths.programFile);
    fs::create_symlink(real, paths.programFile);
    ASSERT_TRUE(WriteSettingsFile(paths.programFile, kNewLines, false));
    EXPECT_TRUE(fs::is_symlink(paths.programFile));
    EXPECT_EQ(ReadFileBytes(real), kNewFile);
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "dotfiles"), fs::directory_iterator()), 1);
}
