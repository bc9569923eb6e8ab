// Child processes for the saver's tests under X.
#include "program_run.h"

#include "tests/support/files.h"
#include "tests/support/wait_until.h"

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
    const bool ended = WaitUntil(
        [this] {
            int raw = 0;
            if (!ended_ && waitpid(pid_, &raw, WNOHANG) == pid_) {
                ended_ = true;
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            }
            return ended_;
        },
        limit);
    if (ended) status = status_;
    return ended;
}

void ProgramRun::Signal(int signal) {
    if (!ended_) kill(pid_, signal);
}

void ProgramFolder::MakeProgramFolder(const std::string& prefix) {
    temp = std::make_unique<TempFolder>(prefix);
    folder = temp->Path();
    temp->CopyProgram();
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

std::unique_ptr<ProgramRun> ProgramFolder::Start(const std::vector<std::string>& arguments) const {
    return std::make_unique<ProgramRun>((folder / "capsaro").string(), arguments, folder.string(),
                                        (folder / "output.txt").string());
}

std::string ProgramFolder::Output() const {
    return ReadFileBytes(folder / "output.txt");
}
