// The mode methods of TSaver that have no file of their own yet, and FlushEvents.
#include "saver/saver.h"

#include "gui/events/pump.h"
#include "gui/events/queue.h"

void TSaver::RunPreview() {}
void TSaver::FlushEvents() {
    // Let the host deliver what it holds, then drop everything queued (not what arrives later).
    PollSystem();
    while (QueuedEventCount() > 0) PollEvent();
}
