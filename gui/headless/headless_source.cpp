// The scripted host source: a locked list of message functions.
#include "gui/headless/headless_source.h"

#include <utility>

void HeadlessSource::Push(Message message) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back(std::move(message));
    }
    WakePump();
}

size_t HeadlessSource::Pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_.size();
}

void HeadlessSource::Dispatch() {
    std::deque<Message> taken;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        taken.swap(messages_);
    }
    for (Message& message : taken)
        message();
}

int HeadlessSource::PrepareWait(std::vector<PumpFd>&) {
    // Push wakes the pump itself, so no descriptor of its own is needed.
    return Pending() > 0 ? 0 : -1;
}
