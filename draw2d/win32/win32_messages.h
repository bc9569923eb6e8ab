// Window messages of Win32 windows as events of the event layer, and the pump source that takes
// them off the thread's message queue. Virtual-key codes are the layer's key codes already.
#pragma once

#include "gui/events/pump.h"
#include "runtime/object.h"

#include <windows.h>

#include <memory>

// Emits the event a message of `window` means, with `source` as its source; true when the message
// was one. Also keeps what the translation needs of the window: the pointer's tracking (for
// "MouseEnter" and "MouseLeave") and the mouse capture while a button is held.
bool EmitWindowMessage(HWND window, const std::shared_ptr<TObject>& source, UINT message, WPARAM wParam, LPARAM lParam);

// The pump source over this thread's message queue, made and added to the pump on first use; from
// then on the pump's wait also wakes for the queue's messages.
void UseWin32MessagePump();

// Sees each message before it is translated and dispatched; true when it took the message (it is
// then handled already). A dialog's keyboard (IsDialogMessage) is one.
using MessageFilter = bool (*)(MSG& message);
void SetMessageFilter(MessageFilter filter);
