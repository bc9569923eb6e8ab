// Key symbols of the X keyboard model mapped onto the event layer's key codes. GDK's key values
// and xkbcommon's key symbols are both these symbols, so the GTK dialog and the Wayland host read
// keys through the one table.
#pragma once

#include <cstdint>

// The event key code of a key symbol (letters of either case give 'A'..'Z'); 0 when the symbol
// has no code in 1..255.
int32_t KeysymKeyCode(uint32_t keysym);
