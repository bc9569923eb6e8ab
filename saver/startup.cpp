// Start-up in its fixed order: program paths, embedded pictures, layers, the two process-wide
// values, the driver, the seed, then the one TSaver and its Run.
#include "saver/startup.h"

#include "saver/artwork/embedded_pictures.h"
#include "saver/render_command.h"
#include "saver/saver.h"

#include "draw2d/graphics.h"
#include "draw2d/resources.h"
#include "draw2d/select/driver_select.h"
#include "gui/events/pump.h"
#include "runtime/termination.h"
#include "runtime/clock.h"
#include "runtime/program.h"
#include "runtime/random.h"

void RegisterEmbeddedPictures() {
    for (const EmbeddedFile& file : EmbeddedPictures()) RegisterResource(file.name, file.data, file.size);
}

namespace {

void WakeOnSignal() { WakePump(); }

}  // namespace

int CapsaroMain(int argc, char** argv) {
    InitProgram(argc, argv);
    // SIGTERM, SIGINT and SIGHUP end every mode's loop cleanly, waking it if it waits.
    WakePump();
    InstallTerminationSignals(WakeOnSignal);
    RegisterEmbeddedPictures();
    // Drawn before seeding, so it comes from the initial state and is 4 at every start.
    SwayStep = static_cast<int32_t>(RandomReal(1.0, 10.0));
    VarietyPoolSize = 100;
    SelectDriver(SelectHostDriver(), BackBufferFlag);
    SeedRandom(MillisecondClock());
    TSaver saver;
    if (IsRenderCommand(ProgramArguments())) return RunRenderCommand(saver, ProgramArguments());
    saver.Run();
    return 0;
}
