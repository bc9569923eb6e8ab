// The "C" locale on POSIX systems: a locale object made once, used per call.
#include "runtime/c_locale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

double ParseDoubleInCLocale(const char* text) {
    return strtod_l(text, nullptr, CLocale());
}

std::string FormatDoubleInCLocale(const char* format, double value) {
    const locale_t previous = uselocale(CLocale());
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    uselocale(previous);
    return buffer;
}
