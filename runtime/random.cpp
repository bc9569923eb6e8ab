// The minimal-standard generator: every random choice of the program comes from here.
#include "runtime/random.h"

namespace {

constexpr int32_t kMultiplier = 48271;
constexpr int32_t kModulus = 2147483647;
constexpr int32_t kQuotient = 44488; // kModulus / kMultiplier
constexpr int32_t kRemainder = 3399; // kModulus % kMultiplier

int32_t state = kInitialRandomState;

// Schrage's method keeps every intermediate value within 32-bit signed range.
void Step() {
    state = (state % kQuotient) * kMultiplier - (state / kQuotient) * kRemainder;
    if (state < 0) state += kModulus;
}

} // namespace

void SeedRandom(int32_t seed) {
    state = seed & 0x7FFFFFFF;
    if (state == 0 || state == kModulus) state = kInitialRandomState;
}

int32_t RandomSeedValue() {
    return state;
}

double RandomUnit() {
    Step();
    const int32_t hi = state & 0x1FFFFFFC;
    Step();
    const int32_t lo = state & 0x1FFFFFF8;
    return (hi + lo / 134217728.0) / 536870912.0;
}

double RandomReal(double a, double b) {
    const double r = RandomUnit();
    if (b > a) return a + r * (b - a);
    return b + r * (a - b);
}

int32_t RandomInt(int32_t a, int32_t b) {
    const double d = static_cast<double>(b) - static_cast<double>(a);
    const double r = RandomUnit();
    const double value = d > 0 ? a + r * (d + 1) : b + r * (1 - d);
    return static_cast<int32_t>(value);
}

float RandomFloat() {
    Step();
    return static_cast<float>(state & 0x0FFFFFF0) / 268435456.0f;
}
