// The event queue: a 256-slot ring with two ever-growing counters, the queue's own emit hook and
// the current event.
#include "gui/events/queue.h"

#include "gui/events/hooks.h"
#include "gui/events/pump.h"
#include "runtime/runtime_error.h"

#include <array>
#include <thread>

namespace {

bool MergesById(int32_t id) {
    return id == EventWindowMove || id == EventWindowSize || id == EventTimerTick || id == EventGadgetAction;
}

std::shared_ptr<TObject> QueueHook(int32_t, const std::shared_ptr<TObject>& data, const std::shared_ptr<TObject>&) {
    auto event = std::dynamic_pointer_cast<TEvent>(data);
    if (!event) return nullptr;
    PostEvent(event, MergesById(event->id));
    return data;
}

struct EventQueue {
    EventQueue() : nullEvent(std::make_shared<TEvent>()), current(nullEvent), thread(std::this_thread::get_id()) {
        emitHook = AllocHookId();
        AddHook(emitHook, QueueHook, nullptr, kQueueHookPriority);
    }

    std::array<std::shared_ptr<TEvent>, kEventQueueSize> slots{};
    // Both only ever grow; unsigned wrap keeps put - get and the slot index right.
    uint32_t put = 0;
    uint32_t get = 0;
    std::shared_ptr<TEvent> nullEvent;
    std::shared_ptr<TEvent> current;
    int32_t emitHook = 0;
    std::thread::id thread;

    bool Empty() const { return put == get; }
    std::shared_ptr<TEvent>& Slot(uint32_t counter) { return slots[counter % kEventQueueSize]; }

    int32_t Take() {
        std::shared_ptr<TEvent>& slot = Slot(get++);
        current = std::move(slot);
        return current->id;
    }
};

EventQueue& Queue() {
    static EventQueue queue;
    return queue;
}

} // namespace

int32_t EmitEventHook() {
    return Queue().emitHook;
}

void EmitEvent(std::shared_ptr<TEvent> event) {
    RunHooks(EmitEventHook(), std::move(event));
}

void PostEvent(std::shared_ptr<TEvent> event, bool merge) {
    EventQueue& queue = Queue();
    CAPSARO_ASSERT(std::this_thread::get_id() == queue.thread,
                   "PostEvent called from a thread other than the event thread");
    if (!event) return;
    if (merge) {
        for (uint32_t i = queue.get; i != queue.put; ++i) {
            TEvent& queued = *queue.Slot(i);
            if (queued.id != event->id || queued.source != event->source) continue;
            if (&queued != event.get()) {
                queued.data = event->data;
                queued.mods = event->mods;
                queued.x = event->x;
                queued.y = event->y;
                queued.extra = event->extra;
            }
            return;
        }
    }
    if (queue.put - queue.get >= static_cast<uint32_t>(kEventQueueSize)) return;
    queue.Slot(queue.put++) = std::move(event);
}

std::shared_ptr<TEvent> PeekEvent() {
    EventQueue& queue = Queue();
    if (queue.Empty()) PollSystem();
    if (queue.Empty()) return nullptr;
    return queue.Slot(queue.get);
}

int32_t PollEvent() {
    EventQueue& queue = Queue();
    if (queue.Empty()) PollSystem();
    if (queue.Empty()) {
        queue.current = queue.nullEvent;
        return 0;
    }
    return queue.Take();
}

int32_t WaitEvent() {
    EventQueue& queue = Queue();
    while (queue.Empty() && !PumpBusy())
        WaitSystem();
    return PollEvent();
}

const std::shared_ptr<TEvent>& CurrentEvent() {
    return Queue().current;
}
int32_t EventID() {
    return CurrentEvent()->id;
}
const std::shared_ptr<TObject>& EventSource() {
    return CurrentEvent()->source;
}
int32_t EventData() {
    return CurrentEvent()->data;
}
int32_t EventMods() {
    return CurrentEvent()->mods;
}
int32_t EventX() {
    return CurrentEvent()->x;
}
int32_t EventY() {
    return CurrentEvent()->y;
}
const std::shared_ptr<TObject>& EventExtra() {
    return CurrentEvent()->extra;
}

std::string EventText() {
    const auto* text = dynamic_cast<const TText*>(EventExtra().get());
    return text ? text->text : std::string();
}

int32_t QueuedEventCount() {
    const EventQueue& queue = Queue();
    return static_cast<int32_t>(queue.put - queue.get);
}

bool IsEventThread() {
    return std::this_thread::get_id() == Queue().thread;
}
