// Timers on POSIX systems: the portable tick thread times every clock (absolute deadlines on the
// steady clock serve as well as any system timer here).
#include "gui/events/timer_ticks.h"

void StartTickClock(const std::shared_ptr<TickClock>& clock) {
    StartThreadTicks(clock);
}

void StopTickClock(const std::shared_ptr<TickClock>& clock) {
    StopThreadTicks(clock);
}
