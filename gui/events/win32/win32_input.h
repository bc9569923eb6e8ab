// Window messages of Win32 windows as events of the event layer, and the pump source that takes
// them off the thread's message queue. Virtual-key codes are the layer's key codes already.
#pragma once

#include "gui/events/pump.h"
#include "runtime/object.h"

#include <windows.h>

#include <memory>

// Emits the event a message means, with `source` as its source; true when the message was one.
bool EmitWindowMessage(const std::shared_ptr<TObject>& source, UINT message, WPARAM wParam, LPARAM lParam);

// The pump source over this thread's message queue (made and added to the pump on first use).
void UseWin32MessagePump();
