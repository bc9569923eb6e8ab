// The translation tables from SDL keys and modifiers to the event layer's codes.
#include "gui/sdl/sdl_keys.h"

#include "gui/events/key_codes.h"

#include <array>

namespace {

struct KeyRow {
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    int32_t code;
};

// clang-format off
constexpr KeyRow kKeyTable[] = {
    {SDL_SCANCODE_A, SDLK_a, 65}, {SDL_SCANCODE_B, SDLK_b, 66}, {SDL_SCANCODE_C, SDLK_c, 67},
    {SDL_SCANCODE_D, SDLK_d, 68}, {SDL_SCANCODE_E, SDLK_e, 69}, {SDL_SCANCODE_F, SDLK_f, 70},
    {SDL_SCANCODE_G, SDLK_g, 71}, {SDL_SCANCODE_H, SDLK_h, 72}, {SDL_SCANCODE_I, SDLK_i, 73},
    {SDL_SCANCODE_J, SDLK_j, 74}, {SDL_SCANCODE_K, SDLK_k, 75}, {SDL_SCANCODE_L, SDLK_l, 76},
    {SDL_SCANCODE_M, SDLK_m, 77}, {SDL_SCANCODE_N, SDLK_n, 78}, {SDL_SCANCODE_O, SDLK_o, 79},
    {SDL_SCANCODE_P, SDLK_p, 80}, {SDL_SCANCODE_Q, SDLK_q, 81}, {SDL_SCANCODE_R, SDLK_r, 82},
    {SDL_SCANCODE_S, SDLK_s, 83}, {SDL_SCANCODE_T, SDLK_t, 84}, {SDL_SCANCODE_U, SDLK_u, 85},
    {SDL_SCANCODE_V, SDLK_v, 86}, {SDL_SCANCODE_W, SDLK_w, 87}, {SDL_SCANCODE_X, SDLK_x, 88},
    {SDL_SCANCODE_Y, SDLK_y, 89}, {SDL_SCANCODE_Z, SDLK_z, 90},
    {SDL_SCANCODE_0, SDLK_0, 48}, {SDL_SCANCODE_1, SDLK_1, 49}, {SDL_SCANCODE_2, SDLK_2, 50},
    {SDL_SCANCODE_3, SDLK_3, 51}, {SDL_SCANCODE_4, SDLK_4, 52}, {SDL_SCANCODE_5, SDLK_5, 53},
    {SDL_SCANCODE_6, SDLK_6, 54}, {SDL_SCANCODE_7, SDLK_7, 55}, {SDL_SCANCODE_8, SDLK_8, 56},
    {SDL_SCANCODE_9, SDLK_9, 57},
    {SDL_SCANCODE_F1, SDLK_F1, 112},   {SDL_SCANCODE_F2, SDLK_F2, 113},   {SDL_SCANCODE_F3, SDLK_F3, 114},
    {SDL_SCANCODE_F4, SDLK_F4, 115},   {SDL_SCANCODE_F5, SDLK_F5, 116},   {SDL_SCANCODE_F6, SDLK_F6, 117},
    {SDL_SCANCODE_F7, SDLK_F7, 118},   {SDL_SCANCODE_F8, SDLK_F8, 119},   {SDL_SCANCODE_F9, SDLK_F9, 120},
    {SDL_SCANCODE_F10, SDLK_F10, 121}, {SDL_SCANCODE_F11, SDLK_F11, 122}, {SDL_SCANCODE_F12, SDLK_F12, 123},
    {SDL_SCANCODE_F13, SDLK_F13, 124}, {SDL_SCANCODE_F14, SDLK_F14, 125}, {SDL_SCANCODE_F15, SDLK_F15, 126},
    {SDL_SCANCODE_F16, SDLK_F16, 127}, {SDL_SCANCODE_F17, SDLK_F17, 128}, {SDL_SCANCODE_F18, SDLK_F18, 129},
    {SDL_SCANCODE_F19, SDLK_F19, 130}, {SDL_SCANCODE_F20, SDLK_F20, 131}, {SDL_SCANCODE_F21, SDLK_F21, 132},
    {SDL_SCANCODE_F22, SDLK_F22, 133}, {SDL_SCANCODE_F23, SDLK_F23, 134}, {SDL_SCANCODE_F24, SDLK_F24, 135},
    {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KeyBackspace}, {SDL_SCANCODE_TAB, SDLK_TAB, KeyTab},
    {SDL_SCANCODE_RETURN, SDLK_RETURN, KeyEnter},           {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KeyEnter},
    {SDL_SCANCODE_PAUSE, SDLK_PAUSE, KeyPause},             {SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, KeyCapsLock},
    {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KeyEscape},          {SDL_SCANCODE_SPACE, SDLK_SPACE, KeySpace},
    {SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, KeyPageUp},          {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, KeyPageDown},
    {SDL_SCANCODE_END, SDLK_END, KeyEnd},                   {SDL_SCANCODE_HOME, SDLK_HOME, KeyHome},
    {SDL_SCANCODE_LEFT, SDLK_LEFT, KeyLeft},                {SDL_SCANCODE_UP, SDLK_UP, KeyUp},
    {SDL_SCANCODE_RIGHT, SDLK_RIGHT, KeyRight},             {SDL_SCANCODE_DOWN, SDLK_DOWN, KeyDown},
    {SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, KeyPrintScreen},
    {SDL_SCANCODE_INSERT, SDLK_INSERT, KeyInsert},          {SDL_SCANCODE_DELETE, SDLK_DELETE, KeyDelete},
    {SDL_SCANCODE_LGUI, SDLK_LGUI, KeySuperLeft},           {SDL_SCANCODE_RGUI, SDLK_RGUI, KeySuperRight},
    {SDL_SCANCODE_APPLICATION, SDLK_APPLICATION, KeyMenu},
    {SDL_SCANCODE_KP_0, SDLK_KP_0, 96},  {SDL_SCANCODE_KP_1, SDLK_KP_1, 97},  {SDL_SCANCODE_KP_2, SDLK_KP_2, 98},
    {SDL_SCANCODE_KP_3, SDLK_KP_3, 99},  {SDL_SCANCODE_KP_4, SDLK_KP_4, 100}, {SDL_SCANCODE_KP_5, SDLK_KP_5, 101},
    {SDL_SCANCODE_KP_6, SDLK_KP_6, 102}, {SDL_SCANCODE_KP_7, SDLK_KP_7, 103}, {SDL_SCANCODE_KP_8, SDLK_KP_8, 104},
    {SDL_SCANCODE_KP_9, SDLK_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, KeyPadMultiply}, {SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, KeyPadAdd},
    {SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, KeyPadSubtract},       {SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KeyPadDecimal},
    {SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, KeyPadDivide},
    {SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, KeyNumLock},  {SDL_SCANCODE_SCROLLLOCK, SDLK_SCROLLLOCK, KeyScrollLock},
    {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KeyShiftLeft},     {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, KeyShiftRight},
    {SDL_SCANCODE_LCTRL, SDLK_LCTRL, KeyControlLeft},     {SDL_SCANCODE_RCTRL, SDLK_RCTRL, KeyControlRight},
    {SDL_SCANCODE_LALT, SDLK_LALT, KeyAltLeft},           {SDL_SCANCODE_RALT, SDLK_RALT, KeyAltRight},
    {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, KeySemicolon},   {SDL_SCANCODE_EQUALS, SDLK_EQUALS, KeyEquals},
    {SDL_SCANCODE_COMMA, SDLK_COMMA, KeyComma},               {SDL_SCANCODE_MINUS, SDLK_MINUS, KeyMinus},
    {SDL_SCANCODE_PERIOD, SDLK_PERIOD, KeyPeriod},            {SDL_SCANCODE_SLASH, SDLK_SLASH, KeySlash},
    {SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, KeyBackquote},       {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, KeyLeftBracket},
    {SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH, KeyBackslash},   {SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET, KeyRightBracket},
    {SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, KeyQuote},
};
// clang-format on

struct ModRow {
    uint16_t sdlMods;
    int32_t mods;
};

constexpr ModRow kModTable[] = {
    {KMOD_SHIFT, ModShift},
    {KMOD_CTRL, ModControl},
    {KMOD_ALT, ModAlt},
    {KMOD_GUI, ModSuper},
};

} // namespace

int32_t SdlKeyToKeyCode(const SDL_Keysym& key) {
    for (const KeyRow& row : kKeyTable) {
        if (row.keycode == key.sym) return row.code;
    }
    for (const KeyRow& row : kKeyTable) {
        if (row.scancode == key.scancode) return row.code;
    }
    return 0;
}

int32_t SdlModsToMods(uint16_t sdlMods) {
    int32_t mods = 0;
    for (const ModRow& row : kModTable) {
        if (sdlMods & row.sdlMods) mods |= row.mods;
    }
    return mods;
}
