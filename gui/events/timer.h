// Periodic timers whose ticks arrive on the event thread as events.
//
// A thread of the event layer sleeps to absolute deadlines and only counts due ticks and wakes the
// pump; the event thread, in PollSystem or WaitSystem, adds each tick to the timer and emits its
// event. A running timer holds itself, so dropping the last outside reference does not stop it;
// StopTimer does.
#pragma once

#include "gui/events/event.h"

#include <cstdint>
#include <memory>

class TickClock;

class TTimer : public TObject {
public:
    int32_t ticks = 0;
    // The value of ticks at the last WaitTimer.
    int32_t ticksSeen = 0;
    // The timer itself while it runs.
    std::shared_ptr<TTimer> self;
    // Emitted at each tick; none means a new "TimerTick" (source the timer, data the tick count).
    std::shared_ptr<TEvent> event;
    // Non-zero while the tick thread times this timer.
    int32_t hostHandle = 0;

    // The tick thread's record of this timer; shared with that thread, which touches nothing else.
    std::shared_ptr<TickClock> clock;
};

// A running timer of period 1000 / hertz milliseconds, truncated (100 hertz gives 10 ms). A rate
// whose period is below 1 ms (or that is not a positive number) gives a timer that never ticks
// (host handle 0).
std::shared_ptr<TTimer> CreateTimer(float hertz, std::shared_ptr<TEvent> event = nullptr);

// Stops the timer; ticks not yet delivered are dropped, and the timer lets go of itself and of its
// event. Stopping a stopped timer does nothing.
void StopTimer(const std::shared_ptr<TTimer>& timer);

int32_t TimerTicks(const std::shared_ptr<TTimer>& timer);

// Owns a running timer and stops it when it goes, on every path out of a scope (a timer that
// holds itself would otherwise run on).
class ScopedTimer {
public:
    ScopedTimer() = default;
    explicit ScopedTimer(std::shared_ptr<TTimer> timer) : timer_(std::move(timer)) {}
    ~ScopedTimer() { StopTimer(timer_); }
    ScopedTimer(ScopedTimer&& other) noexcept : timer_(std::move(other.timer_)) {}
    ScopedTimer& operator=(ScopedTimer&& other) noexcept {
        if (this != &other) {
            StopTimer(timer_);
            timer_ = std::move(other.timer_);
        }
        return *this;
    }
    ScopedTimer(const ScopedTimer&) = delete;
    ScopedTimer& operator=(const ScopedTimer&) = delete;

    const std::shared_ptr<TTimer>& Get() const { return timer_; }

private:
    std::shared_ptr<TTimer> timer_;
};

// Waits for the host until the tick count changes and returns the ticks since the previous
// WaitTimer. Returns 0 without waiting for a timer that has stopped, or when called from inside a
// host message handler, where the pump cannot run.
int32_t WaitTimer(const std::shared_ptr<TTimer>& timer);

// The period in milliseconds for a rate, or 0 when no timer can run at it.
int32_t TimerPeriod(float hertz);
