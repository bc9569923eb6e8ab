// Line reading: LF, NUL and the end end a line, CR is dropped anywhere, the budget bounds reading.
#include "runtime/program.h"
#include "runtime/text_lines.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::unique_ptr<std::FILE, FileCloser> MemoryFile(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return std::unique_ptr<std::FILE, FileCloser>(file);
}

} // namespace

TEST(LineReader, EndsLinesAtLfNulAndEndDroppingCr) {
    auto file = MemoryFile(std::string("a\r\nb\nc\0d\rx\re", 13));
    LineReader reader(file.get(), 1000);
    EXPECT_EQ(reader.ReadLine(), "a");
    EXPECT_EQ(reader.ReadLine(), "b");
    EXPECT_EQ(reader.ReadLine(), "c");
    EXPECT_EQ(reader.ReadLine(), "dxe");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "");
}

TEST(LineReader, StopsAtTheBudgetAsAtTheEnd) {
    auto file = MemoryFile(std::string(5000, '7') + "\n8\n");
    LineReader reader(file.get(), 100);
    EXPECT_EQ(reader.ReadLine(), std::string(100, '7'));
    EXPECT_EQ(reader.ReadLine(), "");
}

TEST(WriteLine, EndsWithCrLf) {
    auto file = MemoryFile("");
    ASSERT_TRUE(WriteLine(file.get(), "200"));
    std::rewind(file.get());
    char buffer[8] = {};
    EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, file.get()), 5u);
    EXPECT_EQ(std::string(buffer, 5), "200\r\n");
}

TEST(DirectoryOf, CutsBeforeTheLastSlash) {
    EXPECT_EQ(DirectoryOf("/usr/bin/capsaro"), "/usr/bin");
    EXPECT_EQ(DirectoryOf("/capsaro"), "/");
    EXPECT_EQ(DirectoryOf("capsaro"), ".");
}

// A drive's root keeps its slash: "Y:" alone would name that drive's current folder instead.
TEST(DirectoryOf, KeepsTheSlashOfADrivesRoot) {
    EXPECT_EQ(DirectoryOf("Y:/capsaro.scr"), "Y:/");
    EXPECT_EQ(DirectoryOf("C:/Windows/System32/capsaro.scr"), "C:/Windows/System32");
    EXPECT_EQ(DirectoryOf("C:/Windows/capsaro.scr"), "C:/Windows");
}
