// Run: load the settings, resolve the run's motion mode, and dispatch on the command-line switch.
#include "saver/dispatch.h"
#include "saver/hosted.h"
#include "saver/motion_mode.h"
#include "saver/platform.h"
#include "saver/run_options.h"
#include "saver/running_lock.h"
#include "saver/saver.h"

#include "runtime/convert.h"
#include "runtime/program.h"
#include "runtime/random.h"

#include <cstdlib>

namespace {

enum class SwitchAction { Saver, Config, Preview, Nothing };

struct SwitchRow {
    const char* text;
    SwitchAction action;
};

constexpr SwitchRow kSwitches[] = {
    {"/s", SwitchAction::Saver},   {"-s", SwitchAction::Saver},   {"/c", SwitchAction::Config},
    {"-c", SwitchAction::Config},  {"/a", SwitchAction::Nothing}, {"-a", SwitchAction::Nothing},
    {"/p", SwitchAction::Preview}, {"-p", SwitchAction::Preview}, {"/l", SwitchAction::Preview},
    {"-l", SwitchAction::Preview},
};

SwitchAction ActionFor(const std::string& switchText) {
    for (const SwitchRow& row : kSwitches)
        if (switchText == row.text) return row.action;
    return SwitchAction::Nothing;
}

} // namespace

std::string SwitchOf(const std::string& argument) {
    std::string text = argument.substr(0, 2);
    text.resize(2, ' ');
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

int64_t HostWindowHandle(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) return 0;
    const std::string& switchArgument = arguments[1];
    if (switchArgument.size() == 2) return arguments.size() >= 3 ? TextToInt(arguments[2]) : 0;
    if (switchArgument.size() <= 3) return 0;
    return TextToInt(std::string_view(switchArgument).substr(3));
}

bool RunsConfigWindow(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 || (arguments.size() > 1 && ActionFor(SwitchOf(arguments[1])) == SwitchAction::Config);
}

void ResolveMotionMode() {
    // RandomReal(1, 5) truncated: each of the four movements with equal chance.
    CurrentMotionMode =
        MotionMode != MotionRandom ? MotionMode : static_cast<int32_t>(RandomReal(MotionBounceBoth, MotionFall + 1));
}

void TSaver::Run() {
    LoadSettings();
    // The run's own overrides come after loading, so they never reach the settings file.
    const RunOptions& options = CurrentRunOptions();
    ApplySettingOverrides(options, *this);
    ResolveMotionMode();
    if (options.Hosted()) {
        RunHostedShow(*this, HostedWindow(options, std::getenv("XSCREENSAVER_WINDOW"), Platform()));
        return;
    }
    std::vector<std::string>& arguments = ProgramArguments();
    if (arguments.size() == 1) arguments.push_back("/c");
    if (arguments.size() < 2) return;

    switch (ActionFor(SwitchOf(arguments[1]))) {
    case SwitchAction::Saver: {
        const SaverRunningLock running;
        if (running.HeldElsewhere()) return;
        RunModeLetter = "s";
        RunSaver();
        break;
    }
    case SwitchAction::Config:
        RunConfig();
        break;
    case SwitchAction::Preview:
        RunModeLetter = "p";
        RunPreview();
        break;
    case SwitchAction::Nothing:
        break;
    }
}
