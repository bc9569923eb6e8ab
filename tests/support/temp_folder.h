// A temporary folder of the test's own: named after the process and the running test, emptied
// when made and removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
public:
    // /tmp/capsaro-<prefix>-<pid>-<test name>, new and empty.
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // A copy of the built program (build/capsaro) inside the folder; its path.
    std::filesystem::path CopyProgram() const;

private:
    std::filesystem::path path_;
};
