// Watching windows that belong to other processes (the preview host's window, a canvas) on an X
// connection of our own: SDL reports neither their destruction nor their resizing.
//
// A destroyed window marks its state gone and emits one "WindowClose" event whose source is the
// object registered for that window (none when nothing is registered). Notifications are read
// when the host pump runs and whenever a state is asked for its size.
#pragma once

#include "runtime/object.h"

#include <cstdint>
#include <memory>

struct _XDisplay;

// What is known of one watched window.
struct ForeignWindowState {
    uint64_t window = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool gone = false;
};

// Starts (or joins) the watch of a window; null when there is no X display or no such window.
// The watch lasts while a returned reference is held.
std::shared_ptr<ForeignWindowState> WatchForeignWindow(uint64_t window);

// Reads the notifications waiting on the watch connection.
void ReadForeignWindowNotifications();

// Notes from now on when parts of the window are exposed (their pixels lost), for a presenter that
// repaints only what changed; false when there is no X display.
bool WatchForeignExposures(uint64_t window);
// Whether the window was exposed since the last call (or since the watch began), reading the
// notifications waiting first.
bool TakeForeignExposure(uint64_t window);

// The object whose "WindowClose" a destroyed window becomes; held weakly.
void SetForeignWindowSource(uint64_t window, std::weak_ptr<TObject> source);

// The watch connection, opened on first use (null without an X display); software frames are
// presented on it too.
_XDisplay* ForeignWindowConnection();
