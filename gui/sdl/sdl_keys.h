// SDL's key codes and modifiers mapped onto the event layer's key codes and modifier bits.
#pragma once

#include <SDL.h>

#include <cstdint>

// The event key code of an SDL key, looked up by its key code (the layout's meaning) and, when
// that is not in the table (letters of a non-Latin layout), by its scan code (the key's place).
// 0 when the key has no code in 1..255.
int32_t SdlKeyToKeyCode(const SDL_Keysym& key);

// The mods value (Shift 1, Control 2, Alt 4, Super 8) of an SDL modifier state.
int32_t SdlModsToMods(uint16_t sdlMods);
