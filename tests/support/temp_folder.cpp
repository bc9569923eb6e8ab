// The self-cleaning temporary folder the tests share.
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "capsaro-" + prefix + "-" + std::to_string(getpid());
    if (test) name += std::string("-") + test->test_suite_name() + "." + test->name();
    for (char& c : name)
        if (c == '/') c = '_';
    path_ = fs::temp_directory_path() / name;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // A test may have taken the write bit from a folder inside; give it back before removing.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        if (it->is_directory(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

fs::path TempFolder::CopyProgram() const {
    const fs::path copy = path_ / "capsaro";
    fs::copy_file(fs::path(CAPSARO_BINARY_DIR) / "capsaro", copy, fs::copy_options::overwrite_existing);
    return copy;
}
