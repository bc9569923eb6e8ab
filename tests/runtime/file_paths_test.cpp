// File names in any script: folders made, files written and read, and names listed back exactly
// as given (on Windows through wide paths; a narrow call there would make another name).
#include "runtime/file_paths.h"
#include "runtime/folders.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const char* const kNames[] = {"café", "Données", "Ελληνικά", "日本語", "Привет"};

std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FilePath(folder), error))
        names.insert(FileName(entry.path().filename()));
    return names;
}

std::string ReadAll(const std::string& name) {
    std::FILE* file = OpenFile(name, "rb");
    if (!file) return "(cannot open)";
    std::string bytes;
    char buffer[64];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

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
        EXPECT_EQ(Listing(base).count(name), 1u);
        EXPECT_EQ(Listing(JoinPath(base, name)), std::set<std::string>{name});

        const std::string file = JoinPath(folder, std::string(name) + ".txt");
        std::FILE* out = OpenFile(file, "wb");
        ASSERT_NE(out, nullptr);
        std::fputs(name, out);
        std::fclose(out);
        EXPECT_EQ(ReadAll(file), name);
        EXPECT_EQ(Listing(folder), std::set<std::string>{std::string(name) + ".txt"});
        EXPECT_EQ(FileName(FilePath(file)), file);
    }
    // Nothing was made under any other name.
    EXPECT_EQ(Listing(base), std::set<std::string>(std::begin(kNames), std::end(kNames)));
}

TEST(FileNames, AMissingFileDoesNotOpenForReading) {
    const TempFolder temp("names-missing");
    EXPECT_EQ(OpenFile(JoinPath(FileName(temp.Path()), "café.txt"), "rb"), nullptr);
}
