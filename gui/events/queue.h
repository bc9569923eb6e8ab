// The one event queue of the process: 256 slots used as a ring, the current event and the
// getters that read it.
//
// The event layer starts on first use, on the thread that uses it first (the event thread): it
// makes the queue and the null event, allocates EmitEventHook and adds the queue's own hook with
// priority -10000. Every call here belongs to the event thread; in debug builds posting from
// another thread is caught by an assertion.
#pragma once

#include "gui/events/event.h"

#include <cstdint>
#include <memory>
#include <string>

constexpr int32_t kEventQueueSize = 256;
constexpr int32_t kQueueHookPriority = -10000;

// The hook id under which every event is emitted. A hook added there with a priority above
// -10000 sees every emitted event before the queue does, whether or not the queue has room.
int32_t EmitEventHook();

// Runs the EmitEventHook chain with the event as data.
void EmitEvent(std::shared_ptr<TEvent> event);

// Queues the event. With `merge`, the oldest queued event of the same id and source takes over
// the new event's data, mods, x, y and extra and keeps its place; the new event is not stored.
// Otherwise, or when nothing matches, the event takes the next slot, or is dropped silently when
// all 256 are in use.
void PostEvent(std::shared_ptr<TEvent> event, bool merge);

// The oldest queued event without taking it (pumping the host once when the queue is empty), or
// null.
std::shared_ptr<TEvent> PeekEvent();

// Takes the oldest event into the current event and returns its id; pumps the host once when the
// queue is empty, and when it stays empty the current event becomes the null event and 0 is
// returned.
int32_t PollEvent();

// Like PollEvent, but waits for the host until an event is there. Called from inside a host
// message handler, where the pump cannot run, it does not wait and acts as PollEvent.
int32_t WaitEvent();

// Fields of the current event (the null event before the first take and after an empty poll).
const std::shared_ptr<TEvent>& CurrentEvent();
int32_t EventID();
const std::shared_ptr<TObject>& EventSource();
int32_t EventData();
int32_t EventMods();
int32_t EventX();
int32_t EventY();
const std::shared_ptr<TObject>& EventExtra();
// The extra when it is a text, else the empty text.
std::string EventText();

// Number of events waiting in the queue.
int32_t QueuedEventCount();

// True on the event thread (the thread that started the event layer).
bool IsEventThread();
