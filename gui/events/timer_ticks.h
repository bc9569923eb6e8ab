// Between the timers and the pump (not for other users): the tick thread's records and the
// delivery of due ticks on the event thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

// One running timer as the tick thread sees it. The thread adds due ticks to `pending`; the event
// thread takes them. Everything else belongs to the tick thread and its lock.
class TickClock {
public:
    explicit TickClock(int32_t periodMs) : period(std::chrono::milliseconds(periodMs)) {}

    std::atomic<int32_t> pending{0};
    const std::chrono::steady_clock::duration period;
    std::chrono::steady_clock::time_point deadline{};
};

// Starts timing the clock with the system's timer service (gui/events/<os>/tick_source.cpp), or
// on the tick thread where the system has none that suits.
void StartTickClock(const std::shared_ptr<TickClock>& clock);
// Stops timing it; returns after whatever timed it has let go of it.
void StopTickClock(const std::shared_ptr<TickClock>& clock);

// The portable tick thread (started on first use): sleeps to the next deadline of its clocks.
void StartThreadTicks(const std::shared_ptr<TickClock>& clock);
void StopThreadTicks(const std::shared_ptr<TickClock>& clock);

// On the event thread: runs every tick that is due on every running timer.
void DeliverTimerTicks();
