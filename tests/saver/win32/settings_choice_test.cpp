// Where the Windows build keeps its settings, with a fake writer standing in for folders that
// cannot be written (Wine lets every folder be written, so only a fake can play System32 for a
// normal user): beside the .scr when it can, else %APPDATA%\Capsaro\Capsaro.cfg.
#include "tests/support/saver_globals.h"

#include "saver/settings.h"
#include "saver/system/win32/settings_folder.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// Paths nobody has, so reading finds no file and the first load saves.
const std::string kProgramFolder = "C:/capsaro-missing-test-folder/windows/system32";
const std::string kAppData = "C:\\capsaro-missing-test-folder\\users\\someone\\AppData\\Roaming";

struct Write {
    std::string path;
    bool makeFolders;
};

class SettingsChoiceTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSaverSettings(&saver); }
    void TearDown() override { ResetSaverSettings(&saver); }

    // The paths the program uses for this app-data folder.
    static SettingsPaths PathsFor(const std::string& appData) {
        return {kProgramFolder + "/Capsaro.cfg", UserSettingsFolderFor(appData, kProgramFolder) + "/Capsaro.cfg"};
    }
    // A writer that fails in the unwritable folders (and below them) and records every attempt.
    SettingsWriter Fake() {
        return [this](const std::string& path, const std::vector<std::string>& lines, bool makeFolders) {
            writes.push_back({path, makeFolders});
            EXPECT_EQ(lines.size(), 8u);
            for (const std::string& folder : unwritable)
                if (path.rfind(folder + "/", 0) == 0) return false;
            return true;
        };
    }

    TSaver saver;
    std::set<std::string> unwritable;
    std::vector<Write> writes;
};

} // namespace

TEST(UserSettingsFolderFor, AppDataWithForwardSlashesElseTheProgramFolder) {
    EXPECT_EQ(UserSettingsFolderFor("C:\\Users\\Ann\\AppData\\Roaming", "Z:/opt/capsaro"),
              "C:/Users/Ann/AppData/Roaming/Capsaro");
    EXPECT_EQ(UserSettingsFolderFor("", "C:/Windows/System32"), "C:/Windows/System32/Capsaro");
}

TEST(UserSettingsFolder, IsTheRoamingAppDataFolderOfThisUser) {
    const std::string folder = UserSettingsFolder();
    EXPECT_EQ(folder.find('\\'), std::string::npos) << folder;
    const std::string suffix = "/AppData/Roaming/Capsaro";
    ASSERT_GT(folder.size(), suffix.size() + 3);
    EXPECT_EQ(folder.substr(1, 2), ":/") << folder;
    EXPECT_EQ(folder.substr(folder.size() - suffix.size()), suffix) << folder;
}

TEST_F(SettingsChoiceTest, AWritableProgramFolderKeepsTheFileBesideTheProgram) {
    const SettingsPaths paths = PathsFor(kAppData);
    LoadSettingsFrom(saver, paths, Fake());
    EXPECT_EQ(SettingsLocation(), kProgramFolder + "/Capsaro.cfg");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_FALSE(writes[0].makeFolders);
    // Later saves go to the same file.
    saver.ChilliCount = 300;
    SaveSettingsTo(saver, paths, Fake());
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1].path, kProgramFolder + "/Capsaro.cfg");
}

TEST_F(SettingsChoiceTest, AnUnwritableProgramFolderMovesTheFileToAppData) {
    unwritable = {kProgramFolder};
    const SettingsPaths paths = PathsFor(kAppData);
    LoadSettingsFrom(saver, paths, Fake());
    const std::string expected = "C:/capsaro-missing-test-folder/users/someone/AppData/Roaming/Capsaro/Capsaro.cfg";
    EXPECT_EQ(SettingsLocation(), expected);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].path, kProgramFolder + "/Capsaro.cfg");
    EXPECT_EQ(writes[1].path, expected);
    EXPECT_TRUE(writes[1].makeFolders);
    // Later saves go straight there, still making the folder should it have gone.
    SaveSettingsTo(saver, paths, Fake());
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[2].path, expected);
    EXPECT_TRUE(writes[2].makeFolders);
}

// Without an app-data folder the fallback is a Capsaro folder inside the program's folder, which
// an unwritable program folder cannot hold either: nothing is stored and nothing is claimed.
TEST_F(SettingsChoiceTest, NoAppDataAndAnUnwritableProgramFolderStoreNothing) {
    unwritable = {kProgramFolder};
    const SettingsPaths paths = PathsFor("");
    LoadSettingsFrom(saver, paths, Fake());
    EXPECT_EQ(SettingsLocation(), "");
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1].path, kProgramFolder + "/Capsaro/Capsaro.cfg");
    EXPECT_TRUE(writes[1].makeFolders);
    // The values in force stay the defaults; a later save tries both places again.
    EXPECT_EQ(saver.ChilliCount, 200);
    SaveSettingsTo(saver, paths, Fake());
    EXPECT_EQ(writes.size(), 4u);
    EXPECT_EQ(SettingsLocation(), "");
}
