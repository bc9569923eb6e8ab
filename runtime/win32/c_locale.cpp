// The "C" locale on Windows: the C runtime's locale object, made once, used per call.
#include "runtime/c_locale.h"

#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

_locale_t CLocale() {
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return c;
}

} // namespace

double ParseDoubleInCLocale(const char* text) {
    return _strtod_l(text, nullptr, CLocale());
}

std::string FormatDoubleInCLocale(const char* format, double value) {
    char buffer[64];
    _snprintf_l(buffer, sizeof buffer, format, CLocale(), value);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}
