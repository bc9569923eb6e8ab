// How the pump sleeps: one implementation per system (gui/events/posix/, gui/events/win32/).
#pragma once

#include "gui/events/pump.h"

#include <cstddef>

// Raises the wake signal; safe from any thread and from a signal handler.
void RaisePumpWake();
// Lowers it again before a round's messages are handled.
void ClearPumpWake();
// Sleeps until the wake signal is raised, one of `fds` is ready (their revents filled in), the
// system has messages for this thread (Windows), or `timeout` ms pass (-1: no limit).
void WaitForPump(PumpFd* fds, size_t count, int timeout);
