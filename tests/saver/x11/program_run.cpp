// Child processes for the saver's tests under X.
#include "program_run.h"

#include "tests/support/files.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

ProgramRun::ProgramRun(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workDir, const std::string& output) {
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(workDir.c_str()) != 0) _exit(120);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
            close(fd);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(121);
    }
}

ProgramRun::~ProgramRun() {
    if (pid_ > 0 && !ended_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ProgramRun::Running() {
    int status = 0;
    return !WaitFor(std::chrono::milliseconds(0), status);
}

bool ProgramRun::WaitFor(std::chrono::milliseconds limit, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ended_) {
        int raw = 0;
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            ended_ = true;
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    status = status_;
    return true;
}

void ProgramRun::Signal(int signal) {
    if (!ended_) kill(pid_, signal);
}

std::string FolderWithProgramCopy(const std::string& prefix) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() /
        (prefix + std::to_string(getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(fs::path(CAPSARO_BINARY_DIR) / "capsaro", folder / "capsaro");
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    return folder.string();
}

std::unique_ptr<ProgramRun> ProgramFolder::Start(const std::vector<std::string>& arguments) const {
    return std::make_unique<ProgramRun>((folder / "capsaro").string(), arguments, folder.string(),
                                        (folder / "output.txt").string());
}

std::string ProgramFolder::Output() const {
    return ReadFileBytes(folder / "output.txt");
}
