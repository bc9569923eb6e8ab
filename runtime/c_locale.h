// Number text in the "C" locale, whatever locale the process runs in (a toolkit may switch it to
// the user's, where the decimal separator can be a comma): one implementation per system.
#pragma once

#include <string>

// strtod in the "C" locale.
double ParseDoubleInCLocale(const char* text);
// snprintf of one double in the "C" locale.
std::string FormatDoubleInCLocale(const char* format, double value);
