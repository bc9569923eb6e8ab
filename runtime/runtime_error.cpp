// Reports a runtime error on standard error and ends the process.
#include "runtime/runtime_error.h"

#include <cstdio>
#include <cstdlib>

void RuntimeError(std::string_view message) {
    std::fprintf(stderr, "Runtime error: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}
