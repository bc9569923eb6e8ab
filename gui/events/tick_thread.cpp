// The tick thread: sleeps to the next absolute deadline of any running timer, counts the ticks
// that are due and wakes the pump. It touches only the TickClock records and the wake descriptor.
#include "gui/events/pump.h"
#include "gui/events/timer_ticks.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

class TickThread {
public:
    TickThread() {
        // The pump must outlive this thread, which wakes it: constructed first, destroyed last.
        (void)PumpBusy();
        thread_ = std::thread([this] { Run(); });
    }
    ~TickThread() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        changed_.notify_one();
        thread_.join();
    }
    TickThread(const TickThread&) = delete;
    TickThread& operator=(const TickThread&) = delete;

    void Start(const std::shared_ptr<TickClock>& clock) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            clock->deadline = std::chrono::steady_clock::now() + clock->period;
            clocks_.push_back(clock);
        }
        changed_.notify_one();
    }

    void Stop(const std::shared_ptr<TickClock>& clock) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            clocks_.erase(std::remove(clocks_.begin(), clocks_.end(), clock), clocks_.end());
        }
        changed_.notify_one();
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!quit_) {
            if (clocks_.empty()) {
                changed_.wait(lock);
                continue;
            }
            const auto next = std::min_element(clocks_.begin(), clocks_.end(),
                                               [](const auto& a, const auto& b) { return a->deadline < b->deadline; })
                                  ->get()
                                  ->deadline;
            // An absolute deadline: time spent handing ticks over does not push later ticks back.
            changed_.wait_until(lock, next);
            if (CountDueTicks(std::chrono::steady_clock::now())) WakePump();
        }
    }

    bool CountDueTicks(std::chrono::steady_clock::time_point now) {
        bool any = false;
        for (const auto& clock : clocks_) {
            if (clock->deadline > now) continue;
            // After a long stall every missed period still counts, as a periodic host timer does.
            const auto due = (now - clock->deadline) / clock->period + 1;
            clock->deadline += due * clock->period;
            clock->pending.fetch_add(static_cast<int32_t>(due), std::memory_order_release);
            any = true;
        }
        return any;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::shared_ptr<TickClock>> clocks_;
    bool quit_ = false;
    std::thread thread_;
};

TickThread& TheTickThread() {
    static TickThread thread;
    return thread;
}

} // namespace

void StartThreadTicks(const std::shared_ptr<TickClock>& clock) {
    TheTickThread().Start(clock);
}

void StopThreadTicks(const std::shared_ptr<TickClock>& clock) {
    TheTickThread().Stop(clock);
}
