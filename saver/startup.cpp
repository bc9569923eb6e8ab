// Start-up in its fixed order: program paths, embedded pictures, layers, the two process-wide
// values, the driver, the seed, then the one TSaver and its Run.
#include "saver/startup.h"

#include "runtime/clock.h"
#include "runtime/program.h"
#include "runtime/random.h"
#include "saver/saver.h"

int CapsaroMain(int argc, char** argv) {
    InitProgram(argc, argv);
    // Drawn before seeding, so it comes from the initial state and is 4 at every start.
    SwayStep = static_cast<int32_t>(RandomReal(1.0, 10.0));
    VarietyPoolSize = 100;
    SeedRandom(MillisecondClock());
    TSaver saver;
    saver.Run();
    return 0;
}
