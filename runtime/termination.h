// Ending on SIGTERM, SIGINT and SIGHUP: the signal only sets a flag (and wakes whoever waits),
// and the program's loops end cleanly when they see it.
#pragma once

// Installs the handlers; `wake`, when given, is called from the handler and must be
// async-signal-safe (writing to an eventfd or a pipe is).
void InstallTerminationSignals(void (*wake)() = nullptr);
// True once one of the signals arrived.
bool TerminationRequested();
// Forgets an arrived signal (tests).
void ClearTerminationRequest();
