// Runtime errors: misuse of a runtime service that the program cannot continue after. The message
// goes to standard error and the process aborts, in every build type.
#pragma once

#include <string_view>

[[noreturn]] void RuntimeError(std::string_view message);

// Debug-build check of a programming error; the message says what is wrong.
#ifdef NDEBUG
#define CAPSARO_ASSERT(condition, message) ((void)0)
#else
#define CAPSARO_ASSERT(condition, message) ((condition) ? (void)0 : RuntimeError(message))
#endif
