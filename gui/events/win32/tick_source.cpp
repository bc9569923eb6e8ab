// Timers on Windows: the multimedia timer service calls back every period on a thread of its own
// (at 1 ms resolution, which the runtime asks for at start); the callback counts the tick and
// wakes the pump, so the tick reaches the event thread. Periods beyond the service's range go to
// the portable tick thread.
#include "gui/events/pump.h"
#include "gui/events/timer_ticks.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

namespace {

struct ServiceTimer {
    UINT id;
    std::shared_ptr<TickClock> clock;
};

std::mutex& TimersLock() {
    static std::mutex lock;
    return lock;
}

std::vector<ServiceTimer>& Timers() {
    static std::vector<ServiceTimer> timers;
    return timers;
}

void CALLBACK OnTick(UINT, UINT, DWORD_PTR clock, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<TickClock*>(clock)->pending.fetch_add(1, std::memory_order_release);
    WakePump();
}

// The longest period the service times, in milliseconds.
UINT LongestServicePeriod() {
    TIMECAPS caps{};
    return timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR ? caps.wPeriodMax : 0;
}

} // namespace

void StartTickClock(const std::shared_ptr<TickClock>& clock) {
    // The pump must outlive the service's callbacks, which wake it.
    (void)PumpBusy();
    const auto period = std::chrono::duration_cast<std::chrono::milliseconds>(clock->period).count();
    UINT id = 0;
    if (period >= 1 && static_cast<uint64_t>(period) <= LongestServicePeriod())
        id = timeSetEvent(static_cast<UINT>(period), 1, OnTick, reinterpret_cast<DWORD_PTR>(clock.get()),
                          TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (id == 0) {
        StartThreadTicks(clock);
        return;
    }
    std::lock_guard<std::mutex> lock(TimersLock());
    Timers().push_back({id, clock});
}

void StopTickClock(const std::shared_ptr<TickClock>& clock) {
    UINT id = 0;
    {
        std::lock_guard<std::mutex> lock(TimersLock());
        auto& timers = Timers();
        const auto found =
            std::find_if(timers.begin(), timers.end(), [&](const ServiceTimer& t) { return t.clock == clock; });
        if (found != timers.end()) {
            id = found->id;
            timers.erase(found);
        }
    }
    // Synchronous: no callback of this timer runs once it returns.
    if (id != 0)
        timeKillEvent(id);
    else
        StopThreadTicks(clock);
}
