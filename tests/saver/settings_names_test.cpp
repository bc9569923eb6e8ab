// The settings and the screenshots in folders named in any script: beside the program, in the
// user's folder (with the program's folder refusing files), and F12's picture in the current
// folder. Each stored file is read back, rewritten in place, and no folder under another name
// appears beside it.
#include "saver/full_screen.h"
#include "saver/settings.h"
#include "tests/support/files.h"
#include "tests/support/saver_globals.h"
#include "tests/support/temp_folder.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "runtime/file_paths.h"
#include "runtime/folders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

const char* const kNames[] = {"café", "Données", "Ελληνικά", "日本語"};

const std::string kStored77 = "77\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n";

void WriteBytes(const std::string& name, const std::string& bytes) {
    std::FILE* file = OpenFile(name, "wb");
    ASSERT_NE(file, nullptr) << name;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

class SettingsNames : public ::testing::Test {
protected:
    void SetUp() override { ResetSaverSettings(&saver); }
    void TearDown() override { ResetSaverSettings(&saver); }

    TSaver saver;
    const TempFolder temp{"settings-names"};
    const std::string base = FileName(temp.Path());
};

} // namespace

TEST_F(SettingsNames, BesideTheProgramTheStoredFileIsReadAndKept) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        ResetSaverSettings(&saver);
        const std::string program = JoinPath(base, name);
        ASSERT_TRUE(MakeFolders(program));
        const SettingsPaths paths{JoinPath(program, "Capsaro.cfg"), JoinPath(JoinPath(program, "user"), "Capsaro.cfg")};
        WriteBytes(paths.programFile, kStored77);
        LoadSettingsFrom(saver, paths);
        EXPECT_EQ(saver.ChilliCount, 77);
        EXPECT_EQ(SettingsLocation(), paths.programFile);
        EXPECT_EQ(ReadFileBytes(FilePath(paths.programFile)), kStored77);
        saver.ChilliCount = 78;
        SaveSettingsTo(saver, paths);
        EXPECT_EQ(ReadFileBytes(FilePath(paths.programFile)).substr(0, 4), "78\r\n");
        EXPECT_EQ(FolderNames(program), std::set<std::string>{"Capsaro.cfg"});
    }
}

// The program's folder takes no file (an installed copy): the settings live in the user's folder,
// whose path holds the user's name.
TEST_F(SettingsNames, InTheUsersFolderTheStoredFileIsReadAndKept) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        ResetSaverSettings(&saver);
        const std::string program = JoinPath(JoinPath(base, name), "Program");
        const std::string user = JoinPath(JoinPath(JoinPath(base, name), "AppData"), "Capsaro");
        const SettingsPaths paths{JoinPath(program, "Capsaro.cfg"), JoinPath(user, "Capsaro.cfg")};
        const SettingsWriter refusingTheProgramFolder = [&](const std::string& path,
                                                            const std::vector<std::string>& lines, bool makeFolders) {
            return path != paths.programFile && WriteSettingsFile(path, lines, makeFolders);
        };
        ASSERT_TRUE(MakeFolders(user));
        WriteBytes(paths.userFile, kStored77);
        LoadSettingsFrom(saver, paths, refusingTheProgramFolder);
        EXPECT_EQ(saver.ChilliCount, 77);
        EXPECT_EQ(SettingsLocation(), paths.userFile);
        EXPECT_EQ(ReadFileBytes(FilePath(paths.userFile)), kStored77);
        saver.ChilliCount = 78;
        SaveSettingsTo(saver, paths, refusingTheProgramFolder);
        EXPECT_EQ(ReadFileBytes(FilePath(paths.userFile)).substr(0, 4), "78\r\n");
        EXPECT_EQ(FolderNames(JoinPath(base, name)), std::set<std::string>{"AppData"});
    }
}

// A first start with no user's folder yet makes it under exactly its name.
TEST_F(SettingsNames, AMissingUsersFolderIsMadeUnderItsOwnName) {
    const std::string home = JoinPath(base, "Ελληνικά");
    const std::string user = JoinPath(JoinPath(home, "日本語"), "Capsaro");
    const SettingsPaths paths{JoinPath(JoinPath(base, "missing"), "Capsaro.cfg"), JoinPath(user, "Capsaro.cfg")};
    const SettingsWriter refusingTheProgramFolder = [&](const std::string& path, const std::vector<std::string>& lines,
                                                        bool makeFolders) {
        return path != paths.programFile && WriteSettingsFile(path, lines, makeFolders);
    };
    LoadSettingsFrom(saver, paths, refusingTheProgramFolder);
    EXPECT_EQ(SettingsLocation(), paths.userFile);
    EXPECT_EQ(ReadFileBytes(FilePath(paths.userFile)).substr(0, 5), "200\r\n");
    EXPECT_EQ(FolderNames(base), std::set<std::string>{"Ελληνικά"});
    EXPECT_EQ(FolderNames(home), std::set<std::string>{"日本語"});
}

TEST_F(SettingsNames, AScreenshotLandsInACurrentFolderOfAnyName) {
    SelectDriver(SoftwareDriver(), BackBufferFlag);
    ASSERT_TRUE(OpenDisplay(64, 48, 32, 0, 0));
    std::error_code error;
    const std::filesystem::path before = std::filesystem::current_path(error);
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        const std::string folder = JoinPath(base, name);
        ASSERT_TRUE(MakeFolders(folder));
        std::filesystem::current_path(FilePath(folder), error);
        ASSERT_FALSE(error);
        testing::internal::CaptureStdout();
        SaveScreenshot();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Screenshot saved as Capsaro000.png\n");
        EXPECT_EQ(FolderNames(folder), std::set<std::string>{"Capsaro000.png"});
        EXPECT_EQ(ReadFileBytes(FilePath(JoinPath(folder, "Capsaro000.png"))).substr(1, 3), "PNG");
    }
    std::filesystem::current_path(before, error);
    CloseDisplay();
    SelectDriver(nullptr, 0);
}
