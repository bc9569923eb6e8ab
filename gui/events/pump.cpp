// The host pump: timer ticks, the registered host sources, and one wait on them all.
#include "gui/events/pump.h"

#include "gui/events/pump_wait.h"
#include "gui/events/timer_ticks.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Pump {
    std::vector<std::shared_ptr<PumpSource>> sources;
    bool busy = false;
    // Kept between rounds so that pumping does not allocate once warmed up.
    std::vector<std::shared_ptr<PumpSource>> round;
    std::vector<PumpFd> fds;
    std::vector<size_t> firstFd;
};

Pump& ThePump() {
    static Pump pump;
    return pump;
}

// Clears the busy flag however the round ends.
class BusyRound {
public:
    explicit BusyRound(Pump& pump) : pump_(pump) { pump_.busy = true; }
    ~BusyRound() { pump_.busy = false; }
    BusyRound(const BusyRound&) = delete;
    BusyRound& operator=(const BusyRound&) = delete;

private:
    Pump& pump_;
};

// Sources may be added or removed by the messages they dispatch; each round works on a copy.
void DispatchAll(Pump& pump) {
    ClearPumpWake();
    DeliverTimerTicks();
    pump.round = pump.sources;
    for (const auto& source : pump.round)
        source->Dispatch();
    pump.round.clear();
}

} // namespace

void AddPumpSource(std::shared_ptr<PumpSource> source) {
    if (source) ThePump().sources.push_back(std::move(source));
}

void RemovePumpSource(const std::shared_ptr<PumpSource>& source) {
    auto& sources = ThePump().sources;
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
}

void PollSystem() {
    Pump& pump = ThePump();
    if (pump.busy) return;
    BusyRound round(pump);
    DispatchAll(pump);
}

void WaitSystem() {
    Pump& pump = ThePump();
    if (pump.busy) return;
    BusyRound busy(pump);

    pump.fds.clear();
    pump.firstFd.clear();
    int timeout = -1;
    pump.round = pump.sources;
    for (const auto& source : pump.round) {
        pump.firstFd.push_back(pump.fds.size());
        const int limit = source->PrepareWait(pump.fds);
        if (limit >= 0 && (timeout < 0 || limit < timeout)) timeout = limit;
    }
    pump.firstFd.push_back(pump.fds.size());

    WaitForPump(pump.fds.data(), pump.fds.size(), timeout);
    for (size_t i = 0; i < pump.round.size(); ++i) {
        const size_t first = pump.firstFd[i];
        pump.round[i]->FinishWait(pump.fds.data() + first, pump.firstFd[i + 1] - first);
    }
    pump.round.clear();
    DispatchAll(pump);
}

bool PumpBusy() {
    return ThePump().busy;
}

void WakePump() {
    // Start-up wakes the pump first of all, so the pump is made before (and outlives) every
    // static that holds a source and removes it when it goes.
    (void)ThePump();
    RaisePumpWake();
}
