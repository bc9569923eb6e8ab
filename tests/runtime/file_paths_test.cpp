// File names in any script: folders made, files written and read, and names listed back exactly
// as given (on Windows through wide paths; a narrow call there would make another name).
#include "runtime/file_paths.h"
#include "runtime/folders.h"
#include "tests/support/files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const char* const kNames[] = {"café", "Données", "Ελληνικά", "日本語", "Привет"};

} // namespace

TEST(JoinPath, PutsOneSlashBetween) {
    EXPECT_EQ(JoinPath("C:/Program Files/Capsaro", "Capsaro.cfg"), "C:/Program Files/Capsaro/Capsaro.cfg");
    EXPECT_EQ(JoinPath("Y:/", "Capsaro.cfg"), "Y:/Capsaro.cfg");
    EXPECT_EQ(JoinPath("/", "capsaro"), "/capsaro");
    EXPECT_EQ(JoinPath("", "Capsaro000.png"), "Capsaro000.png");
}

TEST(FileNames, FoldersAndFilesKeepTheirNamesInAnyScript) {
    const TempFolder temp("names");
    const std::string base = FileName(temp.Path());
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        const std::string folder = JoinPath(JoinPath(base, name), name);
        ASSERT_TRUE(MakeFolders(folder));
        EXPECT_EQ(FolderNames(base).count(name), 1u);
        EXPECT_EQ(FolderNames(JoinPath(base, name)), std::set<std::string>{name});

        const std::string file = JoinPath(folder, std::string(name) + ".txt");
        std::FILE* out = OpenFile(file, "wb");
        ASSERT_NE(out, nullptr);
        std::fputs(name, out);
        std::fclose(out);
        EXPECT_EQ(ReadFileBytes(FilePath(file)), name);
        EXPECT_EQ(FolderNames(folder), std::set<std::string>{std::string(name) + ".txt"});
        EXPECT_EQ(FileName(FilePath(file)), file);
    }
    // Nothing was made under any other name.
    EXPECT_EQ(FolderNames(base), std::set<std::string>(std::begin(kNames), std::end(kNames)));
}

TEST(FileNames, AMissingFileDoesNotOpenForReading) {
    const TempFolder temp("names-missing");
    EXPECT_EQ(OpenFile(JoinPath(FileName(temp.Path()), "café.txt"), "rb"), nullptr);
}
