// FlushEvents: dropping the events that wait in the queue.
#include "saver/saver.h"

#include "gui/events/pump.h"
#include "gui/events/queue.h"

void TSaver::FlushEvents() {
    // Let the host deliver what it holds, then drop everything queued (not what arrives later).
    PollSystem();
    while (QueuedEventCount() > 0)
        PollEvent();
}
