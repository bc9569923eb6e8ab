// Key codes and modifier bits carried by key and mouse events. Key codes are the virtual-key
// numbers the program's key handling is written against (F12 is 123); hosts map their own codes
// onto these in their translation tables.
#pragma once

#include <cstdint>

// Modifier bits of an event's mods, added up.
constexpr int32_t ModShift = 1;
constexpr int32_t ModControl = 2;
constexpr int32_t ModAlt = 4;
constexpr int32_t ModSuper = 8;

constexpr int32_t KeyBackspace = 8;
constexpr int32_t KeyTab = 9;
constexpr int32_t KeyEnter = 13;
// Shift, Control and Alt without a side, as a host may name them before the side is known; events
// carry the sided codes below.
constexpr int32_t KeyShift = 16;
constexpr int32_t KeyControl = 17;
constexpr int32_t KeyAlt = 18;
constexpr int32_t KeyPause = 19;
constexpr int32_t KeyCapsLock = 20;
constexpr int32_t KeyEscape = 27;
constexpr int32_t KeySpace = 32;
constexpr int32_t KeyPageUp = 33;
constexpr int32_t KeyPageDown = 34;
constexpr int32_t KeyEnd = 35;
constexpr int32_t KeyHome = 36;
constexpr int32_t KeyLeft = 37;
constexpr int32_t KeyUp = 38;
constexpr int32_t KeyRight = 39;
constexpr int32_t KeyDown = 40;
constexpr int32_t KeyPrintScreen = 44;
constexpr int32_t KeyInsert = 45;
constexpr int32_t KeyDelete = 46;
// Digits '0'..'9' are 48..57 and letters 'A'..'Z' 65..90.
constexpr int32_t Key0 = 48;
constexpr int32_t KeyA = 65;
constexpr int32_t KeySuperLeft = 91;
constexpr int32_t KeySuperRight = 92;
constexpr int32_t KeyMenu = 93;
// Keypad digits 0..9 are 96..105.
constexpr int32_t KeyPad0 = 96;
constexpr int32_t KeyPadMultiply = 106;
constexpr int32_t KeyPadAdd = 107;
constexpr int32_t KeyPadSubtract = 109;
constexpr int32_t KeyPadDecimal = 110;
constexpr int32_t KeyPadDivide = 111;
// F1..F24 are 112..135.
constexpr int32_t KeyF1 = 112;
constexpr int32_t KeyF12 = 123;
constexpr int32_t KeyNumLock = 144;
constexpr int32_t KeyScrollLock = 145;
// Shift, Control and Alt are told apart by side.
constexpr int32_t KeyShiftLeft = 160;
constexpr int32_t KeyShiftRight = 161;
constexpr int32_t KeyControlLeft = 162;
constexpr int32_t KeyControlRight = 163;
constexpr int32_t KeyAltLeft = 164;
constexpr int32_t KeyAltRight = 165;
// Punctuation keys of a US layout.
constexpr int32_t KeySemicolon = 186;
constexpr int32_t KeyEquals = 187;
constexpr int32_t KeyComma = 188;
constexpr int32_t KeyMinus = 189;
constexpr int32_t KeyPeriod = 190;
constexpr int32_t KeySlash = 191;
constexpr int32_t KeyBackquote = 192;
constexpr int32_t KeyLeftBracket = 219;
constexpr int32_t KeyBackslash = 220;
constexpr int32_t KeyRightBracket = 221;
constexpr int32_t KeyQuote = 222;

// Mouse buttons as event data.
constexpr int32_t MouseLeft = 1;
constexpr int32_t MouseRight = 2;
constexpr int32_t MouseMiddle = 3;
