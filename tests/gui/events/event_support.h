// Helpers shared by the event tests: the queue is process-wide, so each test starts from empty.
#pragma once

#include "gui/events/queue.h"

inline void DrainEvents() {
    while (QueuedEventCount() > 0)
        PollEvent();
}

inline std::shared_ptr<TEvent> KeyDownEvent(int32_t key) {
    return MakeEvent(EventKeyDown, nullptr, key);
}
