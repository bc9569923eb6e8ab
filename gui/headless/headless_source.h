// A host message source without a window system: messages are functions that a test (or any
// thread) queues and the pump runs on the event thread, as a host would dispatch its messages.
#pragma once

#include "gui/events/pump.h"

#include <deque>
#include <functional>
#include <mutex>

class HeadlessSource : public PumpSource {
public:
    using Message = std::function<void()>;

    // Queues a message and wakes the pump. Safe from any thread.
    void Push(Message message);
    // Messages waiting to be dispatched.
    size_t Pending() const;

    // Runs the messages that were waiting when it was called, oldest first; messages pushed by
    // those wait for the next round.
    void Dispatch() override;
    int PrepareWait(std::vector<PumpFd>& fds) override;

private:
    mutable std::mutex mutex_;
    std::deque<Message> messages_;
};
