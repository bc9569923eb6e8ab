// Termination signals (SIGTERM, SIGINT, SIGHUP) turned into a flag.
#include "runtime/termination.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t requested = 0;
void (*wakeUp)() = nullptr;

void OnSignal(int) {
    requested = 1;
    if (wakeUp) wakeUp();
}

} // namespace

void InstallTerminationSignals(void (*wake)()) {
    wakeUp = wake;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool TerminationRequested() {
    return requested != 0;
}

void ClearTerminationRequest() {
    requested = 0;
}
