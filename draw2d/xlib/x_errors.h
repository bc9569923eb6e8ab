// The process's X error handler: errors are counted instead of ending the process, so a window
// destroyed by its owner or a refused shared-memory segment is an answer, not a crash.
#pragma once

#include <cstdint>

struct _XDisplay;

// Installs the handler that records errors (Xlib's default handler exits on the first BadWindow
// or BadDrawable). Idempotent.
void InstallXErrorHandler();
// The serial count of X errors seen so far; a change tells a caller an error arrived meanwhile.
uint64_t XErrorCount();
// Waits until the server has handled every request sent on `display` so far.
void SyncX(_XDisplay* display);
