// How the pump sleeps on Windows: on its wake event alone, until a window-system host whose
// windows get their messages in the thread's queue puts in a wait that wakes for those too.
#pragma once

// Sleeps until `wakeEvent` (a HANDLE) is signalled, or `timeoutMs` pass (-1: no limit).
using PumpWaiter = void (*)(void* wakeEvent, int timeoutMs);
// Replaces the pump's wait; called on the event thread before the host's first window.
void SetPumpWaiter(PumpWaiter waiter);
