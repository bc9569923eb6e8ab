// Start-up in its fixed order: program paths, embedded pictures, layers, the two process-wide
// values, the driver, the seed, then the one TSaver and its Run.
#include "saver/startup.h"

#include "saver/artwork/embedded_pictures.h"
#include "saver/chilli.h"
#include "saver/dispatch.h"
#include "saver/hosts.h"
#include "saver/render_command.h"
#include "saver/run_options.h"
#include "saver/saver.h"
#include "saver/show_loop.h"

#include "draw2d/graphics.h"
#include "draw2d/resources.h"
#include "gui/events/pump.h"
#include "runtime/clock.h"
#include "runtime/program.h"
#include "runtime/random.h"
#include "runtime/termination.h"

#include <cstdio>

void RegisterEmbeddedPictures() {
    for (const EmbeddedFile& file : EmbeddedPictures())
        RegisterResource(file.name, file.data, file.size);
}

namespace {

void WakeOnSignal() {
    WakePump();
}

// Reads the program's own options into CurrentRunOptions and leaves the Windows-style switches as
// the program's arguments. -1 to go on, else the exit status.
int ReadOptions() {
    RunOptions& options = CurrentRunOptions();
    std::string error;
    if (!ParseRunOptions(ProgramArguments(), options, error)) {
        std::fprintf(stderr, "capsaro: %s\n", error.c_str());
        return 2;
    }
    const SaverHosts& hosts = CurrentSaverHosts();
    const bool xWindows = hosts.hasXWindows && hosts.hasXWindows();
    if (options.help) {
        std::fputs(UsageText(xWindows).c_str(), stdout);
        if (hosts.name)
            std::printf("\nThis run shows on %s; CAPSARO_HOST names another host to show on.\n", hosts.name);
        return 0;
    }
    if (options.version) {
        std::puts(kVersionText);
        return 0;
    }
    if (options.Hosted() && !xWindows) {
        std::fprintf(stderr, "capsaro: %s shows in an X window, and there are no X windows here\n",
                     options.windowId != 0 ? "--window-id" : "--root");
        return 2;
    }
    // The configuration window saves what it shows: one run's overrides must not end up stored.
    if (!options.Hosted() && !options.Renders() && options.OverridesSettings() && RunsConfigWindow(options.switches)) {
        std::fprintf(stderr, "capsaro: the options for one run do not apply to the configuration window\n");
        return 2;
    }
    ProgramArguments() = options.switches;
    return -1;
}

} // namespace

void EndShow() {
    ChilliList.clear();
    SetDesktopCopy(nullptr);
    CloseDisplay();
}

int CapsaroMain(int argc, char** argv, const SaverHosts& hosts) {
    SetSaverHosts(hosts);
    InitProgram(argc, argv);
    if (const int status = ReadOptions(); status >= 0) return status;
    // SIGTERM, SIGINT and SIGHUP end every mode's loop cleanly, waking it if it waits.
    WakePump();
    InstallTerminationSignals(WakeOnSignal);
    RegisterEmbeddedPictures();
    // Drawn before seeding, so it comes from the initial state and is 4 at every start.
    SwayStep = static_cast<int32_t>(RandomReal(1.0, 10.0));
    VarietyPoolSize = 100;
    SelectDriver(MakeHostDriver(), BackBufferFlag);
    SeedRandom(MillisecondClock());
    TSaver saver;
    const int status = CurrentRunOptions().Renders() ? RunRenderCommand(saver, CurrentRunOptions()) : (saver.Run(), 0);
    EndShow();
    return status;
}
