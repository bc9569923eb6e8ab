// Key symbols to key codes: the table the GTK dialog and the Wayland host both read keys through.
#include "gui/events/key_codes.h"
#include "gui/events/keysym_codes.h"

#include <gtest/gtest.h>

TEST(KeysymKeyCode, LettersOfEitherCaseDigitsAndFunctionKeysByRange) {
    EXPECT_EQ(KeysymKeyCode('a'), KeyA);
    EXPECT_EQ(KeysymKeyCode('Z'), KeyA + 25);
    EXPECT_EQ(KeysymKeyCode('z'), KeyA + 25);
    EXPECT_EQ(KeysymKeyCode('0'), Key0);
    EXPECT_EQ(KeysymKeyCode('9'), Key0 + 9);
    EXPECT_EQ(KeysymKeyCode(0xffbe), KeyF1);  // F1
    EXPECT_EQ(KeysymKeyCode(0xffc9), KeyF12); // F12
    EXPECT_EQ(KeysymKeyCode(0xffd5), 135);    // F24
    EXPECT_EQ(KeysymKeyCode(0xffb0), KeyPad0);
    EXPECT_EQ(KeysymKeyCode(0xffb9), KeyPad0 + 9);
}

TEST(KeysymKeyCode, NamedKeysAndModifiersBySide) {
    EXPECT_EQ(KeysymKeyCode(0xff1b), KeyEscape);
    EXPECT_EQ(KeysymKeyCode(0xff0d), KeyEnter);
    EXPECT_EQ(KeysymKeyCode(0xff8d), KeyEnter); // the keypad's Enter too
    EXPECT_EQ(KeysymKeyCode(0x0020), KeySpace);
    EXPECT_EQ(KeysymKeyCode(0xffe1), KeyShiftLeft);
    EXPECT_EQ(KeysymKeyCode(0xffe2), KeyShiftRight);
    EXPECT_EQ(KeysymKeyCode(0xffe4), KeyControlRight);
    EXPECT_EQ(KeysymKeyCode(0xffe9), KeyAltLeft);
    EXPECT_EQ(KeysymKeyCode(0xffff), KeyDelete);
}

TEST(KeysymKeyCode, SymbolsWithoutACodeGiveZero) {
    EXPECT_EQ(KeysymKeyCode(0), 0);
    EXPECT_EQ(KeysymKeyCode(0x00e4), 0);     // adiaeresis: a letter, but not A..Z
    EXPECT_EQ(KeysymKeyCode(0x06c1), 0);     // Cyrillic_a
    EXPECT_EQ(KeysymKeyCode(0xffd6), 0);     // F25, past the codes' range
    EXPECT_EQ(KeysymKeyCode(0x1008ff13), 0); // a media key
}
