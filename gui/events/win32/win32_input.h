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

// Top-level windows whose keyboard works as a dialog's: Tab and Shift+Tab move between controls,
// Space presses, Enter and Escape go to the window as IDOK and IDCANCEL (IsDialogMessage).
void AddDialogWindow(HWND window);
void RemoveDialogWindow(HWND window);

// Where Tab (forwards) and Shift+Tab move the focus in a dialog window, when the window's own order
// is not the system's; the mover answers true when it moved the focus.
using DialogTabMover = bool (*)(HWND dialog, bool backwards);
void SetDialogTabMover(DialogTabMover mover);
