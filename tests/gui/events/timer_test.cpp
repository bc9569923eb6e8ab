// Timers: the period, ticks handed to the event thread and merged in the queue, WaitTimer and
// the lifecycle of a running timer. Tick counts are checked against the time that really passed,
// or with room for a loaded two-core machine that leaves the tick thread waiting.
#include "event_support.h"
#include "gui/events/hooks.h"
#include "gui/events/pump.h"
#include "gui/events/timer.h"
#include "runtime/clock.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { DrainEvents(); }
    void TearDown() override { DrainEvents(); }
};

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

TEST(TimerPeriod, IsThousandOverHertzTruncated) {
    EXPECT_EQ(TimerPeriod(100.0f), 10);
    EXPECT_EQ(TimerPeriod(3.0f), 333);
    EXPECT_EQ(TimerPeriod(60.0f), 16);
    EXPECT_EQ(TimerPeriod(1000.0f), 1);
    EXPECT_EQ(TimerPeriod(0.5f), 2000);
    // Rates no timer can keep give 0; absurdly slow ones are capped instead of overflowing.
    EXPECT_EQ(TimerPeriod(1001.0f), 0);
    EXPECT_EQ(TimerPeriod(0.0f), 0);
    EXPECT_EQ(TimerPeriod(-5.0f), 0);
    EXPECT_EQ(TimerPeriod(std::nanf("")), 0);
    EXPECT_EQ(TimerPeriod(1e-12f), std::numeric_limits<int32_t>::max());
}

TEST_F(TimerTest, ASecondOfUntakenTicksIsOneMergedTick) {
    const auto start = std::chrono::steady_clock::now();
    auto timer = CreateTimer(100.0f);
    SleepMs(1000);
    // Nothing has run on this thread: the ticks are only counted until the pump runs.
    EXPECT_EQ(TimerTicks(timer), 0);
    PollSystem();
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    StopTimer(timer);

    ASSERT_EQ(QueuedEventCount(), 1);
    ASSERT_EQ(PollEvent(), EventTimerTick);
    EXPECT_EQ(EventSource(), timer);
    EXPECT_EQ(EventData(), TimerTicks(timer));
    // A tick per 10 ms that passed (this thread may have slept longer than asked), less what a
    // tick thread kept waiting on a loaded machine has not counted yet.
    EXPECT_GE(EventData(), 80);
    EXPECT_LE(EventData(), elapsed / 10);
}

TEST_F(TimerTest, WaitTimerCountsTicksSinceTheLastWait) {
    auto timer = CreateTimer(100.0f);
    const int32_t first = WaitTimer(timer);
    EXPECT_GE(first, 1);
    SleepMs(300);
    // About 30 periods passed: every one counts, though a loaded machine may have kept the tick
    // thread from counting the last of them yet.
    const int32_t second = WaitTimer(timer);
    EXPECT_GE(second, 10);
    EXPECT_EQ(first + second, TimerTicks(timer));
    StopTimer(timer);
    EXPECT_EQ(WaitTimer(timer), 0); // stopped: nothing more will come, so it does not wait
}

TEST_F(TimerTest, ARunningTimerHoldsItselfUntilStopped) {
    std::weak_ptr<TTimer> watch;
    {
        auto timer = CreateTimer(200.0f);
        watch = timer;
    }
    ASSERT_FALSE(watch.expired());
    while (QueuedEventCount() == 0)
        WaitSystem();
    ASSERT_EQ(PollEvent(), EventTimerTick);
    EXPECT_EQ(EventSource(), watch.lock());

    StopTimer(watch.lock());
    DrainEvents();
    PollEvent(); // the null event replaces the last tick as the current event
    EXPECT_TRUE(watch.expired());
}

TEST_F(TimerTest, ATimerWithAnEventEmitsThatObjectAtEachTick) {
    const auto repaint = MakeEvent(EventGadgetPaint, MakeText("canvas"));
    auto timer = CreateTimer(100.0f, repaint);
    EXPECT_GE(WaitTimer(timer), 1);
    // Not a merged id: each tick queues the same object again.
    ASSERT_GE(QueuedEventCount(), 1);
    EXPECT_EQ(PeekEvent(), repaint);
    StopTimer(timer);
    EXPECT_EQ(timer->event, nullptr);
    EXPECT_EQ(timer->self, nullptr);
    DrainEvents();
    PollEvent();
    EXPECT_EQ(repaint.use_count(), 1); // neither the timer nor the queue holds it any more
}

TEST_F(TimerTest, RatesNoTimerCanKeepNeverTickAndHoldNothing) {
    std::weak_ptr<TTimer> watch;
    {
        auto timer = CreateTimer(5000.0f);
        EXPECT_EQ(timer->hostHandle, 0);
        EXPECT_EQ(WaitTimer(timer), 0);
        watch = timer;
    }
    EXPECT_TRUE(watch.expired());
}

namespace {
std::shared_ptr<TObject> StopOnFirstTick(int32_t, const std::shared_ptr<TObject>& data,
                                         const std::shared_ptr<TObject>&) {
    const auto* event = dynamic_cast<const TEvent*>(data.get());
    if (event && event->id == EventTimerTick) StopTimer(std::static_pointer_cast<TTimer>(event->source));
    return data;
}
} // namespace

TEST_F(TimerTest, StoppingFromATickDropsTheTicksStillDue) {
    auto timer = CreateTimer(100.0f);
    SleepMs(100);
    AddHook(EmitEventHook(), StopOnFirstTick, nullptr, 0);
    // Several ticks are due by now; should the tick thread not have counted any yet, pump until
    // it has.
    EXPECT_TRUE(WaitUntil(
        [&] {
            PollSystem();
            return TimerTicks(timer) > 0;
        },
        kLivenessLimit));
    RemoveHook(EmitEventHook(), StopOnFirstTick, nullptr);
    EXPECT_EQ(TimerTicks(timer), 1);
    EXPECT_EQ(timer->hostHandle, 0);
    SleepMs(30);
    PollSystem();
    EXPECT_EQ(TimerTicks(timer), 1);
}

TEST_F(TimerTest, AScopedTimerStopsItsTimerOnEveryWayOutOfItsScope) {
    std::weak_ptr<TTimer> watched;
    const auto leaveEarly = [&](bool early) {
        const ScopedTimer timer(CreateTimer(100));
        watched = timer.Get();
        EXPECT_NE(timer.Get()->hostHandle, 0);
        if (early) return;
        SleepMs(30);
    };
    for (bool early : {true, false}) {
        leaveEarly(early);
        // Nothing holds the timer any more: it stopped and let go of itself.
        EXPECT_TRUE(watched.expired()) << (early ? "early return" : "end of scope");
    }
    // Moving hands the timer on; the moved-from owner stops nothing.
    ScopedTimer outer;
    {
        ScopedTimer inner(CreateTimer(100));
        watched = inner.Get();
        outer = std::move(inner);
    }
    ASSERT_FALSE(watched.expired());
    EXPECT_NE(watched.lock()->hostHandle, 0);
    outer = ScopedTimer();
    EXPECT_TRUE(watched.expired());
}

TEST(ClockArithmetic, AddsAndSubtractsAcrossTheWrap) {
    EXPECT_EQ(ClockAdd(2147483647, 1), -2147483647 - 1);
    EXPECT_EQ(ClockAdd(-1, 2), 1);
    EXPECT_EQ(ClockDifference(ClockAdd(2147483000, 1000), 2147483000), 1000);
    EXPECT_EQ(ClockDifference(-2147483647 - 1, 2147483647), 1);
    EXPECT_EQ(ClockDifference(5, 10), -5);
}
