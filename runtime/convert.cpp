// Locale-independent number conversions.
#include "runtime/convert.h"

#include "runtime/c_locale.h"

#include <string>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

} // namespace

int32_t TextToInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }
    // Unsigned arithmetic gives the 32-bit wrap-around without undefined behaviour.
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit >= base) break;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

float TextToFloat(std::string_view text) {
    // strtod needs a terminated string; the text may hold NUL bytes, which end it as atof would.
    const std::string copy(text.substr(0, text.find('\0')));
    // The "C" locale: settings files must read the same whatever locale a toolkit switched to.
    return static_cast<float>(ParseDoubleInCLocale(copy.c_str()));
}

std::string IntToText(int32_t value) {
    return std::to_string(value);
}

std::string FloatToText(float value) {
    return FormatDoubleInCLocale("%#.9g", static_cast<double>(value));
}
