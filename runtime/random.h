// The one pseudo-random generator of the program: a minimal-standard linear congruential generator
// (multiplier 48271) evaluated by Schrage's method. Nothing else in the program draws random numbers.
#pragma once

#include <cstdint>

// State before any seeding.
constexpr int32_t kInitialRandomState = 4660;

// Sets the state to seed AND 0x7FFFFFFF; 0 and 2147483647 become 4660.
void SeedRandom(int32_t seed);
// The current state.
int32_t RandomSeedValue();
// A double in [0, 1), from two steps of the generator.
double RandomUnit();
// A double from the smaller bound up to, but not reaching, the larger one (bounds in either order).
double RandomReal(double a, double b);
// An integer between the two bounds, both included (bounds in either order).
int32_t RandomInt(int32_t a, int32_t b);
// A single-precision value in [0, 1), from one step.
float RandomFloat();
