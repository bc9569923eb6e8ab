// Input translation for SDL: one SDL event becomes the events of the event layer, emitted with
// EmitEvent on the event thread.
//
//   window close request      -> "AppTerminate" (source the window's); SDL_QUIT (the last window
//                                closed, or SIGINT/SIGTERM) -> "AppTerminate", source none
//   focus lost / gained       -> "AppSuspend" / "AppResume", source none
//   key down (codes 1..255)   -> "KeyDown", or "KeyRepeat" when the key was already down; data the
//                                key code, mods. Backspace, Tab, Enter and Escape also give the
//                                "KeyChar" the host's character translation would.
//   key up                    -> "KeyUp"
//   text input                -> one "KeyChar" per 16-bit character
//   button down / up          -> "MouseDown" / "MouseUp", data 1 left, 2 right, 3 middle; x, y
//   pointer motion            -> "MouseMove", x, y; data 2 while the right button is held, else 4
//                                while the middle one is, else 1 while the left one is, else 0
//   wheel                     -> "MouseWheel", data the notches turned (away from the user > 0)
//   pointer enters / leaves   -> "MouseEnter" / "MouseLeave" with the last pointer position
//
// Key and mouse events carry the modifier state of the last key event. SDL captures the mouse
// while a button is held by itself, so no capture call is made here.
#pragma once

#include "runtime/object.h"

#include <SDL.h>

#include <cstdint>
#include <memory>

// The event source of a window's input; windows never registered have source none (the display
// windows). The registry holds the source weakly: a source that is gone reads as none.
void SetSdlWindowSource(uint32_t windowId, const std::shared_ptr<TObject>& source);
void ForgetSdlWindow(uint32_t windowId);
std::shared_ptr<TObject> SdlWindowSource(uint32_t windowId);

// Emits the events for one SDL event; returns how many were emitted.
int32_t TranslateSdlEvent(const SDL_Event& event);

// The modifier state as the translation last saw it (mods of the events it emits).
int32_t SdlTranslatedMods();
