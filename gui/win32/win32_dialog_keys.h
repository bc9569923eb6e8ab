// The keyboard of the dialog's top-level windows: Tab and Shift+Tab move between controls, Space
// presses, Enter and Escape go to the window as IDOK and IDCANCEL (IsDialogMessage), before the
// message pump translates the keys into events.
#pragma once

#include <windows.h>

// Marks a top-level window as a dialog; the mark lives on the window, so it goes with it.
void AddDialogWindow(HWND window);
void RemoveDialogWindow(HWND window);

// Where Tab (forwards) and Shift+Tab move the focus in a dialog window, when the window's own order
// is not the system's; the mover answers true when it moved the focus.
using DialogTabMover = bool (*)(HWND dialog, bool backwards);
// Routes the message pump's messages through the dialog windows' keyboard, Tab through `mover`.
void UseDialogKeyboard(DialogTabMover mover);
