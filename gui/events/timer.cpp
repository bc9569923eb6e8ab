// Timers on the event thread: creation, stopping, and running the ticks the tick thread counted.
#include "gui/events/timer.h"

#include "gui/events/pump.h"
#include "gui/events/queue.h"
#include "gui/events/timer_ticks.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

struct RunningTimers {
    std::vector<std::shared_ptr<TTimer>> timers;
    // Reused by each delivery: a tick's hooks may start or stop timers while it runs.
    std::vector<std::shared_ptr<TTimer>> round;
    int32_t lastHandle = 0;
};

RunningTimers& Running() {
    static RunningTimers running;
    return running;
}

void Tick(const std::shared_ptr<TTimer>& timer) {
    ++timer->ticks;
    std::shared_ptr<TEvent> event = timer->event;
    if (!event) event = MakeEvent(EventTimerTick, timer, timer->ticks);
    EmitEvent(std::move(event));
}

} // namespace

int32_t TimerPeriod(float hertz) {
    if (!(hertz > 0.0f)) return 0;
    const float period = 1000.0f / hertz;
    if (period >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(period);
}

std::shared_ptr<TTimer> CreateTimer(float hertz, std::shared_ptr<TEvent> event) {
    auto timer = std::make_shared<TTimer>();
    const int32_t period = TimerPeriod(hertz);
    if (period <= 0) return timer;

    RunningTimers& running = Running();
    timer->event = std::move(event);
    timer->self = timer;
    timer->hostHandle = ++running.lastHandle == 0 ? ++running.lastHandle : running.lastHandle;
    timer->clock = std::make_shared<TickClock>(period);
    running.timers.push_back(timer);
    StartTickClock(timer->clock);
    return timer;
}

void StopTimer(const std::shared_ptr<TTimer>& timer) {
    if (!timer || timer->hostHandle == 0) return;
    // The caller's reference may be the timer's own `self`, which is dropped below.
    const std::shared_ptr<TTimer> keep = timer;
    StopTickClock(keep->clock);
    auto& timers = Running().timers;
    timers.erase(std::remove(timers.begin(), timers.end(), keep), timers.end());
    keep->clock.reset();
    keep->hostHandle = 0;
    keep->event.reset();
    keep->self.reset();
}

int32_t TimerTicks(const std::shared_ptr<TTimer>& timer) {
    return timer ? timer->ticks : 0;
}

int32_t WaitTimer(const std::shared_ptr<TTimer>& timer) {
    if (!timer) return 0;
    while (timer->ticks == timer->ticksSeen && timer->hostHandle != 0 && !PumpBusy())
        WaitSystem();
    const int32_t since = timer->ticks - timer->ticksSeen;
    timer->ticksSeen = timer->ticks;
    return since;
}

void DeliverTimerTicks() {
    RunningTimers& running = Running();
    if (running.timers.empty()) return;
    running.round = running.timers;
    for (const auto& timer : running.round) {
        if (!timer->clock) continue;
        const int32_t due = timer->clock->pending.exchange(0, std::memory_order_acquire);
        // A tick's hooks may stop this timer; the rest of its ticks are then dropped.
        for (int32_t i = 0; i < due && timer->hostHandle != 0; ++i)
            Tick(timer);
    }
    running.round.clear();
}
