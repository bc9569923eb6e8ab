// Text to number and number to text, the way every file and switch of the program reads and
// writes numbers. All conversions are independent of the process locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Lenient integer reading: leading white space, one optional sign, then "$" and hex digits,
// "%" and binary digits, or decimal digits; stops at the first misfit; no digits give 0.
// Arithmetic is 32-bit and wraps, so "2147483648" reads as -2147483648 and "$FFFFFFFF" as -1.
int32_t TextToInt(std::string_view text);
// The standard atof reading (C locale), narrowed to single precision.
float TextToFloat(std::string_view text);
// Plain decimal with a leading "-" when negative.
std::string IntToText(int32_t value);
// printf "%#.9g" of the value widened to double: 0.5 gives "0.500000000".
std::string FloatToText(float value);
