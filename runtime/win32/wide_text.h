// UTF-8 text as Windows' wide (UTF-16) text and back: the program keeps UTF-8, the system's wide
// calls take UTF-16.
#pragma once

#include <string>

std::wstring WideText(const std::string& text);
std::string Utf8Text(const wchar_t* text);
