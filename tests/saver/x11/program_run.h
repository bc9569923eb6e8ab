// Running the capsaro program (or a helper) as a child process in a test, with its standard
// output in a file, and waiting for it with a time limit.
#pragma once

#include "tests/support/files.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

class ProgramRun {
public:
    // Starts `program` with `arguments` in `workDir`; standard output and error go to `output`.
    ProgramRun(const std::string& program, const std::vector<std::string>& arguments, const std::string& workDir,
               const std::string& output);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Running();
    // Waits up to `limit`; true when the process ended, with its exit status (128 + signal when
    // a signal ended it).
    bool WaitFor(std::chrono::milliseconds limit, int& status);
    void Signal(int signal);
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    int status_ = 0;
};

// A test's program-copy folder: starts runs of the copy there with their output in output.txt.
class ProgramFolder {
protected:
    // A fresh temporary folder named after `prefix` and the running test, holding a copy of the
    // built program (so its settings and screenshots stay there); XDG_RUNTIME_DIR points into
    // it, so the running flag is the test's own. Removed when the fixture goes.
    void MakeProgramFolder(const std::string& prefix);
    std::unique_ptr<ProgramRun> Start(const std::vector<std::string>& arguments) const;
    // What the last run started with Start wrote.
    std::string Output() const;

    std::unique_ptr<TempFolder> temp;
    std::filesystem::path folder;
};
