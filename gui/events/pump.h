// The host pump: PollSystem and WaitSystem over any number of host message sources.
//
// A source is one host's message queue (SDL for display windows, GTK for the dialog, a scripted
// source in tests). The pump asks each source to handle what is waiting, and when it must wait it
// asks each source what to wait on: file descriptors for poll(2) and a time limit. WaitSystem
// then sleeps in one wait over all of them plus the pump's wake signal, which timer ticks and
// WakePump() raise; nothing spins while nothing happens. The wait is the system's (pump_wait.h):
// poll(2) with an eventfd on POSIX, an event object on Windows, where the Win32 message pump
// makes the wait wake for the thread's message queue too (gui/events/win32/pump_waiter.h).
//
// A WaitSystem round for each source:
//   1. PrepareWait: append the descriptors to wait on (events field set); return how long the
//      wait may last in milliseconds, -1 for no limit, 0 when messages are already waiting
//      (GTK: g_main_context_prepare + g_main_context_query; SDL: the X connection's descriptor).
//   2. poll(2) over every source's descriptors and the wake descriptor.
//   3. FinishWait: the source's own descriptors with revents filled in
//      (GTK: g_main_context_check).
//   4. Dispatch, as in PollSystem.
// PollSystem only calls Dispatch on each source. Dispatch handles every message waiting now
// without blocking, translating input into events with EmitEvent.
//
// All of this belongs to the event thread, except WakePump, which any thread may call.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// A file descriptor a source waits on, laid out and flagged as poll(2) takes it. Only POSIX hosts
// have them: on Windows the message pump's wait covers the thread's message queue, and sources
// append nothing.
struct PumpFd {
    int fd;
    short events;
    short revents;
};
constexpr short kPumpReadable = 0x001; // POLLIN

class PumpSource {
public:
    PumpSource() = default;
    virtual ~PumpSource() = default;
    PumpSource(const PumpSource&) = delete;
    PumpSource& operator=(const PumpSource&) = delete;

    // Handles every waiting host message without blocking.
    virtual void Dispatch() = 0;
    // Appends the descriptors to wait on; returns the longest wait in ms (-1 none, 0 ready now).
    virtual int PrepareWait(std::vector<PumpFd>& fds) = 0;
    // Sees its own descriptors (as appended by PrepareWait) after the poll.
    virtual void FinishWait(const PumpFd* fds, size_t count) {
        (void)fds;
        (void)count;
    }
};

// Sources are pumped in the order they were added. The pump keeps a reference until removal.
void AddPumpSource(std::shared_ptr<PumpSource> source);
void RemovePumpSource(const std::shared_ptr<PumpSource>& source);

// Delivers waiting timer ticks and handles every waiting host message of every source. A call
// made while PollSystem or WaitSystem runs (from inside a message handler) returns at once.
void PollSystem();

// Waits, without a time limit of its own, until a source has messages, a timer ticks or
// WakePump is called, then does what PollSystem does. Returns at once when called re-entrantly.
void WaitSystem();

// True while PollSystem or WaitSystem runs.
bool PumpBusy();

// Makes the next (or the current) WaitSystem wake up. Safe from any thread.
void WakePump();
