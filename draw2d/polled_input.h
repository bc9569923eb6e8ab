// Polled input: the key, button and pointer state a frame loop reads instead of taking events.
// While enabled it watches every event emitted to the queue (before the queue sees it).
#pragma once

#include "runtime/object.h"

#include <cstdint>
#include <memory>

// Starts watching events from `source` (null: from any source); clears the state first.
void EnablePolledInput(std::shared_ptr<TObject> source);
// Stops watching; clears the state first.
void DisablePolledInput();

// Key presses of key code 1..255 since the last call for that key; resets the count to 0.
// Repeats of a held key do not count. Lets the host deliver waiting messages first.
int32_t KeyHitCount(int32_t key);
int32_t KeyIsDown(int32_t key);
// Clicks of button 1 (left), 2 (right) or 3 (middle) since the last call; resets the count.
int32_t MouseHitCount(int32_t button);
int32_t MouseIsDown(int32_t button);
int32_t PointerX();
int32_t PointerY();
int32_t WheelTotal();
// The next typed character, or 0 when none waits.
int32_t TakeTypedCharacter();
bool AppSuspended();
bool AppTerminateRequested();
void ResetKeyState();
void ResetPointerState();
