// The answers every host's input translation gives alike, whatever its own codes: the button a
// pointer move reports while several are held, and the side of a Shift, Control or Alt key.
#pragma once

#include <cstdint>

// Which mouse buttons are held during a move.
struct HeldButtons {
    bool left = false;
    bool right = false;
    bool middle = false;
};

// The data of a "MouseMove": 2 while the right button is held, else 4 while the middle one is,
// else 1 while the left one is, else 0.
int32_t MouseMoveData(HeldButtons held);

// The key code of Shift, Control or Alt on the given side (KeyShiftLeft … KeyAltRight) for the
// code that names the key without a side (KeyShift, KeyControl, KeyAlt); any other code as it is.
int32_t SidedModifierKey(int32_t key, bool right);
