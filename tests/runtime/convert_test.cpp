// Lenient text-to-number reading and the exact number-to-text forms of the settings file.
#include "runtime/convert.h"

#include <clocale>
#include <gtest/gtest.h>
#include <string>

TEST(TextToInt, ReadsDecimalHexAndBinaryLeniently) {
    EXPECT_EQ(TextToInt("$FF"), 255);
    EXPECT_EQ(TextToInt("$ff"), 255);
    EXPECT_EQ(TextToInt("%101"), 5);
    EXPECT_EQ(TextToInt(" 150abc"), 150);
    EXPECT_EQ(TextToInt("\t\n -42"), -42);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt("-$10"), -16);
    EXPECT_EQ(TextToInt("%102"), 2);
}

TEST(TextToInt, NoDigitsGiveZero) {
    for (const char* text : {"", "-", "+", "$", "%", "abc", "$G", " - 5", "--5"})
        EXPECT_EQ(TextToInt(text), 0) << text;
}

TEST(TextToInt, WrapsAt32Bits) {
    EXPECT_EQ(TextToInt("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt("2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(TextToInt("4294967296"), 0);
    // A very long run of digits never traps.
    EXPECT_NO_FATAL_FAILURE(TextToInt(std::string(100000, '9')));
}

TEST(TextToInt, StopsAtEmbeddedNul) {
    EXPECT_EQ(TextToInt(std::string("12\0"
                                    "34",
                                    5)),
              12);
}

TEST(TextToFloat, BehavesLikeAtofInSinglePrecision) {
    EXPECT_EQ(TextToFloat("2"), 2.0f);
    EXPECT_EQ(TextToFloat(" 0.5xyz"), 0.5f);
    EXPECT_EQ(TextToFloat("1e2"), 100.0f);
    EXPECT_EQ(TextToFloat("abc"), 0.0f);
    EXPECT_EQ(TextToFloat(""), 0.0f);
    EXPECT_EQ(TextToFloat("0.0666666701"), 1.0f / 15.0f);
}

TEST(FloatToText, UsesNineSignificantDigitsWithPoint) {
    EXPECT_EQ(FloatToText(0.5f), "0.500000000");
    EXPECT_EQ(FloatToText(1.0f), "1.00000000");
    EXPECT_EQ(FloatToText(0.0f), "0.00000000");
    EXPECT_EQ(FloatToText(2.0f), "2.00000000");
    EXPECT_EQ(FloatToText(1.0f / 15.0f), "0.0666666701");
    EXPECT_EQ(FloatToText(8.0f / 15.0f), "0.533333361");
}

TEST(FloatToText, IgnoresTheProcessLocale) {
    // A locale with a decimal comma must not change the file format; skip where none is installed.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8")) GTEST_SKIP();
    EXPECT_EQ(FloatToText(0.5f), "0.500000000");
    EXPECT_EQ(TextToFloat("0.25"), 0.25f);
    std::setlocale(LC_ALL, "C");
}

TEST(IntToText, PlainDecimal) {
    EXPECT_EQ(IntToText(200), "200");
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
}
