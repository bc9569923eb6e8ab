// The table from key symbols to key codes: ranges for letters, digits and function keys, one row
// for every other key that has a code.
#include "gui/events/keysym_codes.h"

#include "gui/events/key_codes.h"

namespace {

struct KeysymRow {
    uint32_t keysym;
    int32_t key;
};

// Symbols that are not letters, digits or function keys (their X names in the comments).
constexpr KeysymRow kKeysyms[] = {
    {0xff08, KeyBackspace},    // BackSpace
    {0xff09, KeyTab},          // Tab
    {0xff0d, KeyEnter},        // Return
    {0xff8d, KeyEnter},        // KP_Enter
    {0xff13, KeyPause},        // Pause
    {0xffe5, KeyCapsLock},     // Caps_Lock
    {0xff1b, KeyEscape},       // Escape
    {0x0020, KeySpace},        // space
    {0xff55, KeyPageUp},       // Page_Up
    {0xff56, KeyPageDown},     // Page_Down
    {0xff57, KeyEnd},          // End
    {0xff50, KeyHome},         // Home
    {0xff51, KeyLeft},         // Left
    {0xff52, KeyUp},           // Up
    {0xff53, KeyRight},        // Right
    {0xff54, KeyDown},         // Down
    {0xff61, KeyPrintScreen},  // Print
    {0xff63, KeyInsert},       // Insert
    {0xffff, KeyDelete},       // Delete
    {0xffeb, KeySuperLeft},    // Super_L
    {0xffec, KeySuperRight},   // Super_R
    {0xff67, KeyMenu},         // Menu
    {0xff7f, KeyNumLock},      // Num_Lock
    {0xff14, KeyScrollLock},   // Scroll_Lock
    {0xffe1, KeyShiftLeft},    // Shift_L
    {0xffe2, KeyShiftRight},   // Shift_R
    {0xffe3, KeyControlLeft},  // Control_L
    {0xffe4, KeyControlRight}, // Control_R
    {0xffe9, KeyAltLeft},      // Alt_L
    {0xffea, KeyAltRight},     // Alt_R
    {0xffaa, KeyPadMultiply},  // KP_Multiply
    {0xffab, KeyPadAdd},       // KP_Add
    {0xffad, KeyPadSubtract},  // KP_Subtract
    {0xffae, KeyPadDecimal},   // KP_Decimal
    {0xffaf, KeyPadDivide},    // KP_Divide
    {0x003b, KeySemicolon},    // semicolon
    {0x003d, KeyEquals},       // equal
    {0x002c, KeyComma},        // comma
    {0x002d, KeyMinus},        // minus
    {0x002e, KeyPeriod},       // period
    {0x002f, KeySlash},        // slash
    {0x0060, KeyBackquote},    // grave
    {0x005b, KeyLeftBracket},  // bracketleft
    {0x005c, KeyBackslash},    // backslash
    {0x005d, KeyRightBracket}, // bracketright
    {0x0027, KeyQuote},        // apostrophe
};

constexpr uint32_t kKeysymF1 = 0xffbe, kKeysymF24 = 0xffd5;
constexpr uint32_t kKeysymPad0 = 0xffb0, kKeysymPad9 = 0xffb9;

} // namespace

int32_t KeysymKeyCode(uint32_t keysym) {
    if (keysym >= 'a' && keysym <= 'z') return KeyA + static_cast<int32_t>(keysym - 'a');
    if (keysym >= 'A' && keysym <= 'Z') return KeyA + static_cast<int32_t>(keysym - 'A');
    if (keysym >= '0' && keysym <= '9') return Key0 + static_cast<int32_t>(keysym - '0');
    if (keysym >= kKeysymPad0 && keysym <= kKeysymPad9) return KeyPad0 + static_cast<int32_t>(keysym - kKeysymPad0);
    if (keysym >= kKeysymF1 && keysym <= kKeysymF24) return KeyF1 + static_cast<int32_t>(keysym - kKeysymF1);
    for (const KeysymRow& row : kKeysyms)
        if (row.keysym == keysym) return row.key;
    return 0;
}
